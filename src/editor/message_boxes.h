#pragma once

#include <string_view>

namespace tarvo::editor {

// Modal message boxes with one OK button and no icon; Show returns once the
// user has answered.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Show(std::string_view text, std::string_view title) = 0;
};

}  // namespace tarvo::editor
