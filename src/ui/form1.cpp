#include "ui/form1.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QScreen>
#include <algorithm>

#include "ui/focus_ring.h"
#include "ui/form_layout.h"
#include "ui/qt_text.h"
#include "ui/widget_sync.h"

namespace tarvo::ui {

using editor::ControlId;
using editor::ControlKind;

Form1::Form1(std::filesystem::path directory, Preview preview, numbers::LocaleQuery& locale,
             QWidget* parent)
    : QWidget(parent),
      messages_(this),
      widgets_(this, preview.Widget),
      focusingClicks_(this),
      editor_(std::move(directory), files_, *preview.View, messages_, locale) {
  resize(kClientSize);
  new FocusRing(widgets_, this);
  if (parent == nullptr) move(screen()->availableGeometry().center() - rect().center());
  ForwardUserActions();
}

QSize Form1::sizeHint() const { return kClientSize; }

void Form1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Arrange();
}

void Form1::Arrange() {
  const editor::WindowModel& model = editor_.Window();
  const FormRoom room{size(), model.IsShown(ControlId::Frame_NewTool),
                      model.IsShown(ControlId::Frame_Buttons) || model.IsShown(ControlId::Cmd_DelAll) ||
                          model.IsShown(ControlId::Cmd_DelLast)};
  setMinimumSize(MinimumSize(room));
  for (const editor::ControlRow& control : editor::kControls) {
    QWidget* widget = widgets_.Widget(control.Id);
    if (widget != this) widget->setGeometry(Geometry(control.Id, room));
  }
}

void Form1::Load() {
  Run([this] { editor_.Load(); });
}

void Form1::Click(ControlId id) {
  Run([this, id] { editor_.Click(id); });
}

void Form1::ForwardUserActions() {
  for (const editor::ControlRow& control : editor::kControls) {
    const ControlId id = control.Id;
    QWidget* widget = widgets_.Widget(id);
    const auto type = [this, id](const QString& text) {
      Run([this, id, &text] { editor_.Type(id, ToUtf8(text)); }, id);
    };
    switch (control.Kind) {
      case ControlKind::CommandButton:
      case ControlKind::OptionButton:
      case ControlKind::CheckBox:
        // clicked only: a selection the window makes itself never runs an action
        connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
                [this, id] { Run([this, id] { editor_.Click(id); }); });
        break;
      case ControlKind::TextBox:
        connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, this, type);
        widget->installEventFilter(&focusingClicks_);
        break;
      case ControlKind::ComboBox: {
        auto* combo = static_cast<QComboBox*>(widget);
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, type);
        connect(combo, &QComboBox::activated, this, [this, id](int index) {
          Run([this, id, index] { editor_.Pick(id, static_cast<std::size_t>(index)); });
        });
        break;
      }
      default: break;
    }
    if (std::find(editor::kTabOrder.begin(), editor::kTabOrder.end(), id) !=
        editor::kTabOrder.end()) {
      WatchFocus(widget);
    }
  }
}

void Form1::WatchFocus(QWidget* widget) {
  widget->installEventFilter(this);
  if (QWidget* proxy = widget->focusProxy()) proxy->installEventFilter(this);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    // The focus arrives by Tab, the mouse or a shortcut; the window coming
    // back to the front or a closing drop-down list only hand it back.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    const std::optional<ControlId> id = widgets_.FocusedAs(watched);
    if (id && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      Run([this, id] { editor_.FocusByUser(*id); });
    }
  }
  return QWidget::eventFilter(watched, event);
}

void Form1::RunOnEditor(const std::function<void(editor::Editor&)>& action) {
  Run([this, &action] { action(editor_); });
}

void Form1::ChooseProbe(const sheet::MaterialChoice& materials, std::optional<sheet::ProbeProfile> probe) {
  editor_.ChooseProbe(materials, std::move(probe));
  emit commandRun();
}

void Form1::Run(const std::function<void()>& command, std::optional<ControlId> typedInto) {
  if (running_) return;
  running_ = true;
  command();
  SyncWidgets(editor_.Window(), widgets_, typedInto);
  Arrange();
  running_ = false;
  emit commandRun();
  if (editor_.Closed()) window()->close();
  // A question the command opened: the button clicked answers it as the next command.
  if (const std::optional<editor::Question> question = editor_.Asking()) {
    const std::string button = messages_.Ask(*question);
    Run([this, &button] { editor_.Answer(button); });
  }
}

}  // namespace tarvo::ui
