// The unfinished tool a start offers: the history file read at start-up (a
// damaged one set aside), and the question before a NEW TOOL discards it.
#include <algorithm>

#include "editor/editor.h"
#include "editor/messages.h"
#include "numbers/number_text.h"
#include "platform/text.h"

namespace tarvo::editor {

using enum ControlId;

void Editor::ReadUnfinished() {
  const std::filesystem::path file = scene_.ScenePath().parent_path() / kHistoryFile;
  std::string text;
  if (!files_.Read(file, text).IsOk()) return;
  std::optional<std::vector<Step>> steps = DecodeSteps(text);
  if (steps && steps->empty()) return;  // no tool was under way
  std::optional<ToolUnderWay> tool;
  if (steps && steps->front().Kind == StepKind::NewTool) {
    std::vector<Step> plain;
    bool applies = true;
    for (const Step& step : *steps) applies = applies && ApplyStep(plain, step);
    if (applies) tool = ToolAfter(plain);
  }
  if (tool) {
    unfinished_ = UnfinishedTool{tool->Name, static_cast<int>(tool->Elements.size()), std::move(*steps)};
    return;
  }
  // Damaged: set aside, never deleted, and said in the status line.
  std::filesystem::path aside = file;
  aside += ".damaged";
  platform::FileStatus status = files_.Copy(file, aside, platform::Durability::Durable);
  if (status.IsOk()) status = files_.Write(file, EncodeSteps({}), platform::Durability::Scratch);
  historyDamage_ = status.IsOk() ? "set aside as " + platform::PathText(aside)
                                 : "it cannot be set aside: " + platform::PathText(status.File.empty() ? file : status.File) +
                                       ": " + status.Reason;
}

void Editor::BeforeRecord() {
  if (discardedBy_ && history_.Position() <= *discardedBy_) discardedBy_.reset();
}

const std::optional<UnfinishedTool>& Editor::Unfinished() const {
  static const std::optional<UnfinishedTool> kNone;
  return discardedBy_ && history_.Position() > *discardedBy_ ? kNone : unfinished_;
}

std::optional<Question> Editor::DiscardQuestion() const {
  if (!Unfinished() || Underway()) return std::nullopt;
  const int elements = unfinished_->Elements;
  return Question{"The unfinished tool \"" + unfinished_->Name + "\" (" + numbers::IntegerText(elements) +
                      (elements == 1 ? " element" : " elements") + ") will be discarded.",
                  std::string(kWindowTitle),
                  {std::string(kReopenButton), std::string(kDiscardButton), std::string(kCancelButton)}};
}

bool Editor::Answer(std::string_view button) {
  if (!asking_ || std::find(asking_->Buttons.begin(), asking_->Buttons.end(), button) == asking_->Buttons.end()) {
    return false;
  }
  const std::string clicked(button);  // `button` may be the question's own text
  asking_.reset();
  if (clicked == kReopenButton) {
    ReopenUnfinished();
  } else if (clicked == kDiscardButton) {
    discardAccepted_ = true;
    Click(Cmd_NewTool);
    discardAccepted_ = false;
  }
  return true;
}

}  // namespace tarvo::editor
