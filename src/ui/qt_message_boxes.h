#pragma once

#include <QWidget>
#include <string>

#include "editor/message_boxes.h"

namespace tarvo::ui {

// The editor's message boxes as modal QMessageBoxes over the window: the
// text, the title, one OK button and no icon.
class QtMessageBoxes final : public editor::MessageBoxes {
 public:
  explicit QtMessageBoxes(QWidget* window) : window_(window) {}

  void Show(std::string_view text, std::string_view title) override;
  // The question's box with its buttons, in their order; the text of the
  // button clicked (the last, Cancel, when the box is closed otherwise).
  std::string Ask(const editor::Question& question);

 private:
  QWidget* window_;
};

}  // namespace tarvo::ui
