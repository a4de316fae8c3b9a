#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>

#include "editor/editor.h"
#include "numbers/decimal_separator.h"
#include "platform/files.h"
#include "ui/control_widgets.h"
#include "ui/focusing_click_filter.h"
#include "ui/preview.h"
#include "ui/qt_message_boxes.h"

namespace tarvo::ui {

// The window Form1: one widget per control, driven by the editor's window
// model. The user's clicks, typing, list choices and focus changes go to the
// editor's commands; after each command every widget follows the model.
class Form1 final : public QWidget {
  Q_OBJECT

 public:
  // The four files lie in `directory`; `preview` becomes TasterView.
  Form1(std::filesystem::path directory, Preview preview, numbers::LocaleQuery& locale,
        QWidget* parent = nullptr);

  // The window's load action: only Step 1 shown, focus on NEW TOOL.
  void Load();
  const editor::WindowModel& Model() const { return editor_.Window(); }
  const editor::Editor& Editor() const { return editor_; }
  // Runs a control's click as the user's (from a menu or a shortcut): nothing
  // happens when the control is hidden or disabled.
  void Click(editor::ControlId id);
  // Runs an action on the editor as one command, as the tool library's
  // loading of a tool for editing; the widgets then follow the model.
  void RunOnEditor(const std::function<void(editor::Editor&)>& action);
  // The probe and materials of the status line's bending and limits; the
  // status line follows (commandRun), the widgets are left as they are.
  void ChooseProbe(const sheet::MaterialChoice& materials, std::optional<sheet::ProbeProfile> probe);

  // The designed size; the form grows beyond it and shrinks down to the
  // least size that shows every control of the steps shown.
  QSize sizeHint() const override;

 signals:
  // After every command, when the widgets follow the model again.
  void commandRun();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ForwardUserActions();
  // Watches the focus events of a control's widget. A widget may hand its
  // focus to a proxy inside it, where the events then arrive.
  void WatchFocus(QWidget* widget);
  // Places the controls for the form's size and the steps shown.
  void Arrange();
  // Runs one command on the editor, then brings the widgets in line; closes
  // the window when the command closed the editor. A command that arrives
  // while another runs (from a message box's event loop, or from the
  // widgets' own reaction to the syncing) is dropped.
  void Run(const std::function<void()>& command,
           std::optional<editor::ControlId> typedInto = std::nullopt);

  platform::DiskFileSystem files_;
  QtMessageBoxes messages_;
  ControlWidgets widgets_;
  FocusingClickFilter focusingClicks_;
  editor::Editor editor_;
  bool running_ = false;
};

}  // namespace tarvo::ui
