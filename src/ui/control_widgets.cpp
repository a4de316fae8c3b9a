#include "ui/control_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/definition_pane.h"
#include "ui/form_layout.h"
#include "ui/form_style.h"

namespace tarvo::ui {

using editor::ControlId;
using editor::ControlKind;

namespace {

// The mouse wheel over a combo box that does not have the focus scrolls the
// window, as over any other control: it never changes the box's text in
// passing. A click or Tab gives the box the focus, and then the wheel picks.
class UnfocusedWheelPasses final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Wheel || static_cast<QWidget*>(watched)->hasFocus()) return false;
    event->ignore();  // on to the window
    return true;
  }
};

QComboBox* CreateComboBox(QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setEditable(true);
  combo->setFocusPolicy(Qt::StrongFocus);  // the wheel does not take the focus
  combo->installEventFilter(new UnfocusedWheelPasses(combo));
  // Typed text stays as typed: no completion, and Enter adds nothing to the list.
  combo->setCompleter(nullptr);
  combo->setInsertPolicy(QComboBox::NoInsert);
  // Nor does the box pick the list item that the typed text names when the
  // typing ends (by Tab, a click elsewhere or Enter): that pick would take
  // the focus back from the field the user moved on to. Only the list and
  // the arrow keys pick.
  QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
  return combo;
}

// Enter and the keypad's Enter press the focused button, as Space does.
QPushButton* CreateCommandButton(QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setAutoDefault(true);
  return button;
}

// The rectangle that frames the name and extension fields: drawn behind
// them and never in the way of the mouse.
QFrame* CreateRectangle(QWidget* parent) {
  auto* shape = new QFrame(parent);
  shape->setFrameStyle(QFrame::Box | QFrame::Plain);
  shape->setAttribute(Qt::WA_TransparentForMouseEvents);
  return shape;
}

}  // namespace

ControlWidgets::ControlWidgets(QWidget* window, QWidget* preview) {
  for (QButtonGroup*& group : groups_) group = new QButtonGroup(window);
  // The table lists every container before the controls in it.
  for (const editor::ControlRow& control : editor::kControls) {
    QWidget* widget = Create(control, window, preview);
    widget->setObjectName(
        QString::fromLatin1(control.Name.data(), static_cast<qsizetype>(control.Name.size())));
    if (widget != window) widget->setGeometry(Geometry(control.Id));
    ApplyStyle(control, widget);
    widgets_[static_cast<std::size_t>(control.Id)] = widget;
  }
  Widget(ControlId::Shape1)->lower();
  for (std::size_t i = 1; i < editor::kTabOrder.size(); ++i) {
    QWidget::setTabOrder(Widget(editor::kTabOrder[i - 1]), Widget(editor::kTabOrder[i]));
  }
}

QWidget* ControlWidgets::Create(const editor::ControlRow& control, QWidget* window,
                                QWidget* preview) {
  QWidget* parent = Widget(control.Container);
  switch (control.Kind) {
    case ControlKind::Window: return window;
    case ControlKind::Frame: return new QGroupBox(parent);
    case ControlKind::Label: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      return label;
    }
    case ControlKind::TextBox: return new QLineEdit(parent);
    case ControlKind::ComboBox: return CreateComboBox(parent);
    case ControlKind::CommandButton: return CreateCommandButton(parent);
    case ControlKind::OptionButton: {
      auto* option = new QRadioButton(parent);
      Group(control.Group)->addButton(option);
      return option;
    }
    case ControlKind::CheckBox: return new QCheckBox(parent);
    case ControlKind::Rectangle: return CreateRectangle(parent);
    case ControlKind::DefinitionPane: return new DefinitionPane(parent);
    case ControlKind::PreviewView: preview->setParent(parent); return preview;
    case ControlKind::ScratchTextBox: return new QPlainTextEdit(parent);
  }
  return nullptr;
}

std::optional<ControlId> ControlWidgets::FocusedAs(const QObject* focused) const {
  for (const editor::ControlRow& control : editor::kControls) {
    const QWidget* widget = Widget(control.Id);
    while (widget->focusProxy() != nullptr) widget = widget->focusProxy();
    if (widget == focused) return control.Id;
  }
  return std::nullopt;
}

}  // namespace tarvo::ui
