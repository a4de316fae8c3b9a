#pragma once

#include <QApplication>
#include <QFrame>
#include <QMessageBox>
#include <QTemporaryDir>
#include <utility>

#include "scene/scene_view.h"
#include "ui/main_window.h"

namespace tarvo::ui::test {

// What one message box showed.
struct ShownMessage {
  QString Text;
  QString Title;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  int ButtonCount = 0;
  bool Modal = false;
  bool operator==(const ShownMessage&) const = default;
};

// Answers every message box that appears with its OK button, as a user
// would, and keeps what each box showed.
class MessageBoxAnswerer final : public QObject {
 public:
  MessageBoxAnswerer() { qApp->installEventFilter(this); }
  ~MessageBoxAnswerer() override { qApp->removeEventFilter(this); }
  QList<ShownMessage> TakeShown() { return std::exchange(shown_, {}); }  // since the last call

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QList<ShownMessage> shown_;
};

// Stands in for the 3D preview: an empty white panel that ignores the scene.
class PlaceholderPreview final : public QFrame, public scene::SceneView {
 public:
  explicit PlaceholderPreview(QWidget* parent = nullptr) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);  // the preview has its place in the tab order
    setStyleSheet(QStringLiteral("background: white"));
  }
  void Navigate(const std::filesystem::path&) override {}
  void Refresh() override {}
};

// A loaded, shown and active main window whose files go to a fresh temporary
// directory, with a point as the decimal separator. Its message boxes are
// answered with OK. The user's actions are real mouse clicks and key presses.
class TestWindow {
 public:
  // With a placeholder in the place of the 3D preview, on `folder` or else a fresh one.
  explicit TestWindow(const QString& folder = {});

  MainWindow& Main() { return *window_; }
  Form1& Window() { return window_->Form(); }
  QWidget* Widget(editor::ControlId id) const;
  QString Folder() const { return folder_; }
  QString FilePath(const QString& name) const { return folder_ + '/' + name; }
  MessageBoxAnswerer& Messages() { return messages_; }

  // A left click on the control, on an option's or check box's button.
  void Click(editor::ControlId id);
  // The user's actions, separated by "; ": "click CONTROL", "fill CONTROL TEXT"
  // (a click unless it has the focus, then the keys), "type TEXT" (into what has
  // the focus), "press KEY" (as QKeySequence reads it: "Backtab", "Ctrl+V", "Num+Enter").
  void Do(const QString& actions);

 private:
  void Reactivate();  // as after a message box closes

  QTemporaryDir directory_;
  QString folder_;
  numbers::FixedLocaleQuery locale_{"."};
  MessageBoxAnswerer messages_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace tarvo::ui::test
