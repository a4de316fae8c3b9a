#pragma once

#include <deque>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor.h"
#include "editor/message_boxes.h"

namespace tarvo::replay {

// Message boxes of the replay: each is written to the output as it is shown
// and kept until a script line expects it.
class ReplayMessages final : public editor::MessageBoxes {
 public:
  explicit ReplayMessages(std::ostream& out) : out_(out) {}
  void Show(std::string_view text, std::string_view title) override;
  // A question the editor opened: written as a message box with its buttons,
  // "message: TEXT [Reopen] [Discard] [Cancel]", and kept by its text.
  void Ask(const editor::Question& question);

  std::deque<std::string>& Pending() { return pending_; }

 private:
  std::ostream& out_;
  std::deque<std::string> pending_;
};

// The script lines that perform plain steps of the tool's history (NEW TOOL,
// ADD ELEMENT, CONFIRM, DELETE LAST, DELETE ALL) from start-up, as a user would.
std::string ScriptOf(const std::vector<editor::Step>& steps);

// Exit statuses of a replay run.
enum ReplayStatus { kOk = 0, kExpectationFailed = 1, kScriptError = 2, kFileFailed = 3 };

// Performs a script's lines on a loaded editor, one user action per line.
// Returns the run's exit status; problems go to `err` as "SCRIPT:LINE: ...".
int RunScript(std::string_view scriptName, std::string_view script, editor::Editor& editor,
              ReplayMessages& messages, std::ostream& out, std::ostream& err);

}  // namespace tarvo::replay
