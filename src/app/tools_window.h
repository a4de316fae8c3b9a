#pragma once

#include <filesystem>
#include <memory>

#include "numbers/decimal_separator.h"
#include "ui/main_window.h"
#include "ui/preview/taster_view.h"

namespace tarvo::app {

// The program's window: Form1 with the 3D preview TasterView in the main
// window with its menus, its files in `directory`, its decimal separator
// from the user's locale. Make it after the QApplication.
class ToolsWindow {
 public:
  explicit ToolsWindow(const std::filesystem::path& directory);

  // The window's load action, then the window on the screen; in a data
  // folder that cannot be written, then a message box that says so. The
  // window is the `cascade`-th of the program's open at once (from 0).
  void Open(bool unwritableFolder = false, int cascade = 0);

  ui::Form1& Window() { return window_->Form(); }
  ui::MainWindow& Main() { return *window_; }
  ui::TasterView& Preview() { return *preview_; }

 private:
  numbers::SystemLocaleQuery locale_;
  ui::TasterView* preview_ = nullptr;  // owned by the window
  std::unique_ptr<ui::MainWindow> window_;
};

}  // namespace tarvo::app
