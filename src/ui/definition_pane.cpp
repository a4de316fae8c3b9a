#include "ui/definition_pane.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace tarvo::ui {

namespace {

bool MovesFocus(const QKeyEvent& key) {
  const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
  return tab && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

}  // namespace

DefinitionPane::DefinitionPane(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setTabChangesFocus(true);
  setFocusPolicy(Qt::StrongFocus);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

bool DefinitionPane::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      if (MovesFocus(*static_cast<QKeyEvent*>(event))) return QPlainTextEdit::event(event);
      [[fallthrough]];
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: event->accept(); return true;
    default: return QPlainTextEdit::event(event);
  }
}

void DefinitionPane::inputMethodEvent(QInputMethodEvent* event) { event->accept(); }

}  // namespace tarvo::ui
