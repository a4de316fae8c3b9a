// The tool's history: the steps the user's clicks make, undo and redo by
// replaying the remaining steps on a scratch editor, the history file and
// the reopening of an unfinished tool.
#include <algorithm>

#include "editor/editor.h"
#include "editor/messages.h"
#include "scene/memory_file_system.h"
#include "platform/text.h"

namespace tarvo::editor {

using enum ControlId;

namespace {

// The scratch editor's message boxes: kept, never shown.
class KeptMessages final : public MessageBoxes {
 public:
  void Show(std::string_view text, std::string_view /*title*/) override { Texts.emplace_back(text); }
  std::vector<std::string> Texts;
};

ControlId OptionOf(std::string_view elementKind) {
  if (elementKind == "Cone" || elementKind == "Polygon") return Ob_Cone;
  if (elementKind == "Sphere" || elementKind == "Complex") return Ob_Sphere;
  return Ob_Cylinder;
}

ControlId OptionOf(ToolKind kind) {
  switch (kind) {
    case ToolKind::Extension: return Ob_Extend;
    case ToolKind::Polygonal: return Ob_Polyg;
    case ToolKind::Tip: break;
  }
  return Ob_Tip;
}

}  // namespace

// A scratch editor in memory, started as at start-up, with what it needs.
struct Editor::Rebuild {
  Rebuild(const std::filesystem::path& directory, char separator)
      : locale(std::string(1, separator)), editor(directory, files, view, messages, locale) {}
  scene::MemoryFileSystem files;
  scene::NoSceneView view;
  KeptMessages messages;
  numbers::FixedLocaleQuery locale;
  Editor editor;
};

void Editor::BeginEdit(EditedTool tool) {
  edited_ = tool;
  if (!recording_) return;
  // Saved with the steps, so that a reopened tool still replaces its block.
  history_.MarkEdit(std::move(tool));
  SaveHistory();
}

void Editor::RecordClick(ControlId id, bool startedTool, std::int16_t elementsBefore, ToolKind kind) {
  switch (id) {
    case Cmd_NewTool:
      if (startedTool) {
        const bool discards = Unfinished().has_value();
        Record(NewToolStep(window_.Text(Tb_ToolName), window_.Text(Cb_Extension)));
        if (discards) discardedBy_ = history_.Position() - 1;
      }
      break;
    case Cmd_Add: Record(AddElementStep(kind)); break;
    case Cmd_Confirm:
      if (confirmed_ && tool_.ElementCount > elementsBefore) {
        Record(ElementStep(StepKind::Confirm, tool_.ElementCount, *confirmed_));
      }
      break;
    case Cmd_DelLast: Record(PlainStep(StepKind::DeleteLast)); break;
    case Cmd_DelAll: Record(PlainStep(StepKind::DeleteAll)); break;
    case Cmd_Export:
      // The tool has left the editor: its history ends with it.
      if (window_.IsShown(Frame_NewTool)) {
        if (discardedBy_) {
          // The NEW TOOL that discarded the unfinished tool can no longer be undone.
          unfinished_.reset();
          discardedBy_.reset();
        }
        history_.Clear();
        SaveHistory();
      }
      break;
    default: break;  // typing and options are not steps
  }
}

void Editor::Record(Step step) {
  BeforeRecord();
  history_.Record(std::move(step));
  SaveHistory();
}

void Editor::Perform(const Step& step) {
  switch (step.Kind) {
    case StepKind::NewTool:
      Type(Tb_ToolName, step.Name);
      Type(Cb_Extension, step.Extension);
      Click(Cmd_NewTool);
      break;
    case StepKind::AddElement:
      Click(OptionOf(step.Tool));
      Click(Cmd_Add);
      break;
    case StepKind::Confirm:
      Click(OptionOf(step.Element.Kind));
      if (step.Element.Disk && !window_.IsSelected(Cb_Disk)) Click(Cb_Disk);
      for (ControlId field : FieldsOf(step.Element)) Type(field, FieldText(step.Element, field));
      Click(Cmd_Confirm);
      break;
    case StepKind::DeleteLast: Click(Cmd_DelLast); break;
    case StepKind::DeleteAll: Click(Cmd_DelAll); break;
    default: break;  // changes come as plain steps
  }
  if (step.BeginsEdit) edited_ = step.BeginsEdit;
}

std::unique_ptr<Editor::Rebuild> Editor::Rebuilt(const std::vector<Step>& plain) const {
  auto rebuilt = std::make_unique<Rebuild>(scene_.ScenePath().parent_path(), format_.Separator());
  rebuilt->editor.recording_ = false;
  rebuilt->editor.Load();
  for (const Step& step : plain) rebuilt->editor.Perform(step);
  return rebuilt;
}

void Editor::Adopt(Rebuild& rebuilt) {
  Editor& built = rebuilt.editor;
  window_ = built.window_;
  tool_ = built.tool_;
  scene_.TakeStateFrom(built.scene_);
  elementKind_ = built.elementKind_;
  elementOption_ = built.elementOption_;
  edited_ = built.edited_;
  reportedInCommand_ = false;
  ++commands_;
  exported_.reset();
  std::string backup;
  const bool hasBackup = rebuilt.files.Read(scene_.SceneBackupPath(), backup).IsOk();
  std::string shown;
  rebuilt.files.Read(scene_.ScenePath(), shown);
  Report(kPreviewFailedMessage, scene_.ShowFiles(shown, hasBackup ? &backup : nullptr));
}

void Editor::RebuildFromHistory() {
  std::unique_ptr<Rebuild> rebuilt = Rebuilt(history_.PlainSteps());
  Adopt(*rebuilt);
  SaveHistory();
}

bool Editor::Undo() {
  if (!CanUndo()) return false;
  history_.Undo();
  RebuildFromHistory();
  return true;
}

bool Editor::Redo() {
  if (!CanRedo()) return false;
  history_.Redo();
  RebuildFromHistory();
  return true;
}

bool Editor::Commit(const Step& step) {
  std::vector<Step> plain = history_.PlainSteps();
  if (!ApplyStep(plain, step)) return false;
  const std::optional<ToolUnderWay> expected = ToolAfter(plain);
  std::unique_ptr<Rebuild> rebuilt = Rebuilt(plain);
  const std::vector<std::string>& shown = rebuilt->messages.Texts;
  if (!expected || rebuilt->editor.tool_.ElementCount != static_cast<int>(expected->Elements.size())) {
    // The tool cannot hold the change: nothing changes.
    ShowMessage(std::find(shown.begin(), shown.end(), kToolFullMessage) != shown.end() || shown.empty()
                    ? std::string(kToolFullMessage)
                    : shown.front(),
                kWindowTitle);
    return false;
  }
  history_.Record(step);
  Adopt(*rebuilt);
  SaveHistory();
  return true;
}

void Editor::SaveHistory() {
  if (!recording_) return;
  const std::filesystem::path file = scene_.ScenePath().parent_path() / kHistoryFile;
  const std::optional<std::size_t> first = history_.UnfinishedStart();
  const std::size_t last = history_.Position();
  platform::FileStatus written;
  const bool keepsUnfinished = !first && Unfinished();
  if (keepsUnfinished) {
    // No tool under way: the file goes on holding the unfinished tool offered.
    written = files_.Write(file, EncodeSteps(unfinished_->Steps), platform::Durability::Scratch);
  } else if (first && saved_ && saved_->First == *first && saved_->Last < last && saved_->Revisions == history_.Revisions()) {
    // Only steps after those the file holds: their lines are appended, all or none.
    std::string lines;
    for (std::size_t i = saved_->Last; i < last; ++i) lines += EncodeStep(history_.Steps()[i]);
    written = files_.Append(file, lines, platform::Durability::Scratch);
  } else {
    written = files_.Write(file, EncodeSteps(history_.UnfinishedSteps()), platform::Durability::Scratch);
  }
  saved_.reset();
  if (!written.IsOk()) {
    ++fileFailures_;
    historyProblem_ = platform::PathText(file) + ": " + written.Reason;
    return;
  }
  historyProblem_.clear();
  historyDamage_.clear();
  if (!keepsUnfinished) saved_ = SavedSteps{first.value_or(last), last, history_.Revisions()};
}

bool Editor::ReopenUnfinished() {
  if (!CanReopen()) return false;
  BeforeRecord();
  const std::size_t position = history_.Position();
  for (const Step& step : unfinished_->Steps) history_.Record(step);
  std::unique_ptr<Rebuild> rebuilt = Rebuilt(history_.PlainSteps());
  const std::optional<ToolUnderWay> expected = history_.Underway();
  if (!expected || rebuilt->editor.tool_.ElementCount != static_cast<int>(expected->Elements.size())) {
    // Steps that no longer build their tool (another locale, say): dropped.
    history_.Truncate(position);
    unfinished_.reset();
    return false;
  }
  unfinished_.reset();
  Adopt(*rebuilt);
  SaveHistory();
  return true;
}

}  // namespace tarvo::editor
