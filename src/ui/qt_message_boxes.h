#pragma once

#include <QWidget>

#include "editor/message_boxes.h"

namespace tarvo::ui {

// The editor's message boxes as modal QMessageBoxes over the window: the
// text, the title, one OK button and no icon.
class QtMessageBoxes final : public editor::MessageBoxes {
 public:
  explicit QtMessageBoxes(QWidget* window) : window_(window) {}

  void Show(std::string_view text, std::string_view title) override;

 private:
  QWidget* window_;
};

}  // namespace tarvo::ui
