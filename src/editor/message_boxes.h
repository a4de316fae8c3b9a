#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvo::editor {

// Modal message boxes with one OK button and no icon; Show returns once the
// user has answered.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Show(std::string_view text, std::string_view title) = 0;
};

// A modal message box that asks: its text, its title and its buttons' texts,
// no icon. It stays open in the editor until the user clicks one button.
struct Question {
  std::string Text;
  std::string Title;
  std::vector<std::string> Buttons;
  bool operator==(const Question&) const = default;
};

}  // namespace tarvo::editor
