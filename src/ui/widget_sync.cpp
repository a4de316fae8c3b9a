#include "ui/widget_sync.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "ui/qt_text.h"

namespace tarvo::ui {

using editor::ControlId;
using editor::ControlKind;
using editor::ControlState;

namespace {

void SyncLineEdit(QLineEdit* edit, const ControlState& state) {
  const QSignalBlocker blocker(edit);
  const QString text = ToQString(state.Text);
  if (edit->text() != text) edit->setText(text);
}

void SyncComboBox(QComboBox* combo, const ControlState& state) {
  const QSignalBlocker blocker(combo);
  const QSignalBlocker editBlocker(combo->lineEdit());
  QStringList items;
  for (const std::string& item : state.Items) items.append(ToQString(item));
  QStringList shown;
  for (int i = 0; i < combo->count(); ++i) shown.append(combo->itemText(i));
  if (shown != items) {
    combo->clear();
    combo->addItems(items);
  }
  // The list's current item is the one the text names, if any, so that the
  // arrow keys move on from the value shown.
  const int current =
      combo->findText(ToQString(state.Text), Qt::MatchFixedString | Qt::MatchCaseSensitive);
  if (combo->currentIndex() != current) combo->setCurrentIndex(current);
  SyncLineEdit(combo->lineEdit(), state);
}

void SyncPane(QPlainTextEdit* pane, const ControlState& state) {
  const QSignalBlocker blocker(pane);
  const QString text = PaneText(state.Text);
  if (pane->toPlainText() == text) return;
  pane->setPlainText(text);
  pane->moveCursor(QTextCursor::End);  // the newest line in view
}

void SyncOptions(const editor::WindowModel& model, const ControlWidgets& widgets) {
  for (int group = 1; group <= 2; ++group)
    widgets.Group(group)->setExclusive(false);  // lets all be clear
  for (const editor::ControlRow& control : editor::kControls) {
    if (control.Kind != ControlKind::OptionButton && control.Kind != ControlKind::CheckBox)
      continue;
    auto* button = widgets.As<QAbstractButton>(control.Id);
    const QSignalBlocker blocker(button);
    button->setChecked(model.IsSelected(control.Id));
  }
  for (int group = 1; group <= 2; ++group) widgets.Group(group)->setExclusive(true);
}

void SyncText(const editor::ControlRow& control, const ControlState& state,
              const ControlWidgets& widgets) {
  QWidget* widget = widgets.Widget(control.Id);
  switch (control.Kind) {
    case ControlKind::Window: widget->setWindowTitle(ToQString(state.Text)); break;
    case ControlKind::Frame:
      static_cast<QGroupBox*>(widget)->setTitle(ToQString(state.Text));
      break;
    case ControlKind::Label: static_cast<QLabel*>(widget)->setText(ToQString(state.Text)); break;
    case ControlKind::TextBox: SyncLineEdit(static_cast<QLineEdit*>(widget), state); break;
    case ControlKind::ComboBox: SyncComboBox(static_cast<QComboBox*>(widget), state); break;
    case ControlKind::CommandButton:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
      static_cast<QAbstractButton*>(widget)->setText(ToQString(state.Text));
      break;
    case ControlKind::DefinitionPane: SyncPane(static_cast<QPlainTextEdit*>(widget), state); break;
    case ControlKind::ScratchTextBox: {
      auto* box = static_cast<QPlainTextEdit*>(widget);
      if (box->toPlainText() != ToQString(state.Text)) box->setPlainText(ToQString(state.Text));
      break;
    }
    case ControlKind::Rectangle:
    case ControlKind::PreviewView: break;
  }
}

// A frame that is hidden hides its controls, which keep their own setting:
// each widget mirrors the control's own flag. The window itself is left to
// show() and close().
void SyncVisibleAndEnabled(ControlId id, const ControlState& state, QWidget* widget) {
  if (id == ControlId::Form1) return;
  if (widget->isHidden() == state.Visible) widget->setVisible(state.Visible);
  widget->setEnabled(state.Enabled);
}

QLineEdit* EditOf(const ControlWidgets& widgets, ControlId id) {
  switch (editor::Row(id).Kind) {
    case ControlKind::TextBox: return widgets.As<QLineEdit>(id);
    case ControlKind::ComboBox: return widgets.As<QComboBox>(id)->lineEdit();
    default: return nullptr;
  }
}

// The focus goes where the model has it; a text or combo box that has it
// shows the model's selection (a text box that got it has its whole text
// selected).
void SyncFocus(const editor::WindowModel& model, const ControlWidgets& widgets,
               std::optional<ControlId> typedInto) {
  const ControlId focus = model.Focus();
  QWidget* widget = widgets.Widget(focus);
  if (!widget->hasFocus()) widget->setFocus(Qt::OtherFocusReason);
  QLineEdit* edit = EditOf(widgets, focus);
  if (edit == nullptr || focus == typedInto) return;
  const ControlState& state = model.State(focus);
  const QSignalBlocker blocker(edit);
  const int start = WidgetPosition(state.Text, state.SelectionStart);
  const int end = WidgetPosition(state.Text, state.SelectionStart + state.SelectionLength);
  if (end > start) {
    edit->setSelection(start, end - start);
  } else {
    edit->deselect();
    edit->setCursorPosition(start);
  }
}

}  // namespace

void SyncWidgets(const editor::WindowModel& model, const ControlWidgets& widgets,
                 std::optional<ControlId> typedInto) {
  for (const editor::ControlRow& control : editor::kControls) {
    if (control.Id != typedInto) SyncText(control, model.State(control.Id), widgets);
  }
  SyncOptions(model, widgets);
  for (const editor::ControlRow& control : editor::kControls) {
    SyncVisibleAndEnabled(control.Id, model.State(control.Id), widgets.Widget(control.Id));
  }
  SyncFocus(model, widgets, typedInto);
}

}  // namespace tarvo::ui
