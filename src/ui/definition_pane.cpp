#include "ui/definition_pane.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace tarvo::ui {

namespace {

bool MovesFocus(const QKeyEvent& key) {
  const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
  return tab && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// The menu bar's shortcuts (Ctrl+Q, Ctrl+Shift+C, Alt+F) reach the window
// while the pane has the focus.
bool IsMenuKey(const QKeyEvent& key) {
  return (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
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
    case QEvent::KeyRelease: event->accept(); return true;
    case QEvent::ShortcutOverride:
      // Accepting it would keep a shortcut's key press for the pane.
      event->setAccepted(!IsMenuKey(*static_cast<QKeyEvent*>(event)));
      return true;
    default: return QPlainTextEdit::event(event);
  }
}

void DefinitionPane::inputMethodEvent(QInputMethodEvent* event) { event->accept(); }

}  // namespace tarvo::ui
