#include "model_mismatch.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace tarvo::ui::test {

using editor::ControlId;
using editor::ControlKind;

namespace {

QString Name(ControlId id) { return QString::fromLatin1(editor::Row(id).Name); }

QString Show(const QString& widget, const QString& model) {
  return QStringLiteral(" shows \"%1\", the model \"%2\"").arg(widget, model);
}

// The text or caption the widget shows: the first of these properties it has, or its title.
QString Shown(const QWidget* widget) {
  for (const char* property : {"plainText", "currentText", "title", "text"})
    if (const QVariant value = widget->property(property); value.isValid()) return value.toString();
  return widget->windowTitle();
}

QString ControlMismatch(const Form1& window, const editor::ControlRow& control) {
  const editor::ControlState& state = window.Model().State(control.Id);
  const auto* widget = control.Kind == ControlKind::Window
                           ? &window
                           : window.findChild<const QWidget*>(Name(control.Id));
  if (widget == nullptr) return QStringLiteral("no widget");
  if (control.Kind != ControlKind::Window) {
    if (widget->isHidden() == state.Visible) return QStringLiteral("own visibility differs");
    if (widget->isVisibleTo(&window) != window.Model().IsShown(control.Id))
      return QStringLiteral("shown differs");
  }
  if (widget->isEnabled() != state.Enabled) return QStringLiteral("enabled state differs");
  QString expected = QString::fromStdString(state.Text);
  if (control.Kind == ControlKind::DefinitionPane) expected.replace(QStringLiteral("\r\n"), "\n");
  const bool hasText =
      control.Kind != ControlKind::Rectangle && control.Kind != ControlKind::PreviewView;
  if (hasText && Shown(widget) != expected) return Show(Shown(widget), expected);
  if ((control.Kind == ControlKind::OptionButton || control.Kind == ControlKind::CheckBox) &&
      static_cast<const QAbstractButton*>(widget)->isChecked() != state.Selected)
    return QStringLiteral("selection differs");
  if (control.Kind == ControlKind::ComboBox) {
    const auto* combo = static_cast<const QComboBox*>(widget);
    QStringList items, expected;
    for (int i = 0; i < combo->count(); ++i) items.append(combo->itemText(i));
    for (const std::string& item : state.Items) expected.append(QString::fromStdString(item));
    if (items != expected) return Show(items.join('|'), expected.join('|'));
  }
  return {};
}

QString FocusMismatch(const Form1& window) {
  const ControlId focus = window.Model().Focus();
  const QWidget* widget = window.findChild<const QWidget*>(Name(focus));
  const QWidget* focused = widget;  // where the widget hands its focus to
  while (focused->focusProxy() != nullptr) focused = focused->focusProxy();
  if (window.focusWidget() != focused)
    return QStringLiteral("focus is on %1, the model has it on %2")
        .arg(window.focusWidget() ? window.focusWidget()->objectName() : QStringLiteral("nothing"),
             Name(focus));
  const auto* edit = qobject_cast<const QLineEdit*>(widget);
  if (edit == nullptr) return {};
  // The texts are ASCII here: a byte is a character.
  const editor::ControlState& state = window.Model().State(focus);
  const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
  const int length = static_cast<int>(edit->selectedText().size());
  if (start == state.SelectionStart && length == state.SelectionLength) return {};
  return QStringLiteral("%1 selects %2+%3, the model %4+%5")
      .arg(Name(focus), QString::number(start), QString::number(length),
           QString::number(state.SelectionStart), QString::number(state.SelectionLength));
}

}  // namespace

QString ModelMismatch(const Form1& window) {
  for (const editor::ControlRow& control : editor::kControls) {
    const QString mismatch = ControlMismatch(window, control);
    if (!mismatch.isEmpty()) return Name(control.Id) + QStringLiteral(": ") + mismatch;
  }
  return FocusMismatch(window);
}

QString FocusedTextNotSelected(const Form1& window) {
  const ControlId focus = window.Model().Focus();
  if (editor::Row(focus).Kind != ControlKind::TextBox) return {};
  const auto* edit = window.findChild<const QLineEdit*>(Name(focus));
  if (edit->selectedText() == edit->text()) return {};
  return QStringLiteral("%1 has the focus with \"%2\" of \"%3\" selected")
      .arg(Name(focus), edit->selectedText(), edit->text());
}

}  // namespace tarvo::ui::test
