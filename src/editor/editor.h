#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "definition/tool_definition.h"
#include "editor/element_dialog.h"
#include "editor/history.h"
#include "editor/message_boxes.h"
#include "editor/window_model.h"
#include "numbers/decimal_separator.h"
#include "scene/scene.h"
#include "sheet/probe_limits.h"

namespace tarvo::editor {

// The tool under way that the data folder kept from an earlier run.
struct UnfinishedTool {
  std::string Name;
  int Elements = 0;
  std::vector<Step> Steps;
};

// The file in the data folder that keeps the tool under way, step by step.
inline constexpr std::string_view kHistoryFile = ".tarvo-tools.history";

// The block that EXPORT wrote, in the file's bytes, and the position of the
// tool it was to replace when a tool was edited.
struct ExportedBlock {
  std::string Bytes;
  std::optional<std::size_t> EditedPosition;
};

// The tool editor: the window model, the editor state and every command.
// The window and the replay driver both drive it through Load, the user's
// actions (Type, Pick, Click, FocusByUser) and read Window() back.
class Editor {
 public:
  // The four files lie in `directory`.
  Editor(std::filesystem::path directory, platform::FileSystem& files, scene::SceneView& view,
         MessageBoxes& messages, numbers::LocaleQuery& locale);

  // The window's load action: separator, fresh scene, only Step 1 shown.
  void Load();

  // The user types into a text or combo box: it takes the focus, then its
  // text becomes `text`. Nothing happens for any other control.
  void Type(ControlId id, std::string text);
  // The user picks item `index` (0-based) of a combo box's list.
  void Pick(ControlId id, std::size_t index);
  // The user clicks a command button, an option button or the check box.
  void Click(ControlId id);
  // The keyboard focus arrives by Tab or the mouse.
  void FocusByUser(ControlId id);

  // From now on EXPORT replaces `tool`'s block in place instead of appending;
  // DELETE ALL (and so EXPORT itself) ends the edit.
  void BeginEdit(EditedTool tool);
  const std::optional<EditedTool>& Edited() const { return edited_; }

  const WindowModel& Window() const { return window_; }
  bool Closed() const { return closed_; }
  // How many clicks have reached a usable control: the commands run so far.
  int Commands() const { return commands_; }
  // What the last command exported; nothing after any other command.
  const std::optional<ExportedBlock>& Exported() const { return exported_; }
  // The element whose values the last command accepted (CONFIRM, the change
  // dialog's OK), its fields as the checks left them; nothing after any other.
  std::optional<ElementEntry> Accepted() const {
    return accepted_ && accepted_->Command == commands_ ? std::optional(accepted_->Element) : std::nullopt;
  }
  // How many file operations have failed since start-up.
  int FileFailures() const { return fileFailures_; }
  // Why the tool's history could not be saved at its last step ("FILE:
  // REASON"); empty while it is saved.
  const std::string& HistoryProblem() const { return historyProblem_; }
  // What became of a history file that held no tool the editor can read back,
  // "set aside as FILE.damaged" (or why it could not be), until the history
  // is next saved; empty otherwise.
  const std::string& HistoryDamage() const { return historyDamage_; }

  // Whether EXPORT can be pressed now, and the block it would write, in
  // UTF-8: the pane's lines, "endtip" after a tip's ball or disk, and the
  // empty line.
  bool CanExport() const { return window_.IsUsable(ControlId::Cmd_Export) && !dialog_; }
  std::string ExportBlock() const;

  const definition::ToolDefinition& Tool() const { return tool_; }
  // The file system the editor writes through, for the front ends' own files.
  platform::FileSystem& Files() const { return files_; }
  const scene::Scene& Scene() const { return scene_; }
  const numbers::NumberFormat& Format() const { return format_; }
  const std::string& ElementKind() const { return elementKind_; }
  const std::string& ElementOption() const { return elementOption_; }

  // The probe and the materials the status line's bending and limits are
  // for: the window's choice; none in a replay (0.1 N, no limits).
  void ChooseProbe(const sheet::MaterialChoice& materials, std::optional<sheet::ProbeProfile> probe) {
    materials_ = materials;
    probe_ = std::move(probe);
  }
  const sheet::MaterialChoice& ChosenMaterials() const { return materials_; }
  const std::optional<sheet::ProbeProfile>& ChosenProbe() const { return probe_; }

  // The tool's history: every step since start-up, undone ones included.
  // Undo and Redo rebuild the editor as replaying the remaining steps from
  // start-up does; false when there is nothing to undo or redo.
  const History& Steps() const { return history_; }
  bool CanUndo() const { return history_.CanUndo() && !dialog_ && !asking_; }
  bool CanRedo() const { return history_.CanRedo() && !dialog_ && !asking_; }
  bool Undo();
  bool Redo();

  // The tool under way, as its steps leave it; nothing before NEW TOOL.
  std::optional<ToolUnderWay> Underway() const { return history_.Underway(); }
  // The element whose lines hold line `line` (from 1) of the definition pane.
  std::optional<int> ElementAtLine(int line) const;

  // The change dialog of element K, or of a new element of `elementKind`
  // above element K (K = count + 1: at the end), or the removal of element K.
  // False when the tool under way has no such element or its kind does not
  // offer the type.
  bool OpenChange(int k);
  bool OpenInsert(int k, std::string_view elementKind);
  bool RemoveElement(int k);
  const std::optional<ElementDialog>& Dialog() const { return dialog_; }
  // The user's typing, picking and clicking in the dialog's fields.
  void TypeInDialog(ControlId field, std::string text);
  void PickInDialog(ControlId field, std::size_t index);
  void ToggleDiskInDialog();
  void FocusInDialog(ControlId field);
  // OK: the value checks of CONFIRM, then the tool rebuilt with the element;
  // on a bad value or a tool that cannot hold the change, its message shows
  // and the dialog stays open. Whether the change was made.
  bool DialogOk();
  void DialogCancel() { dialog_.reset(); }

  // The tool under way that the data folder held at start-up, while it is
  // offered: until a NEW TOOL discards it (and again once that NEW TOOL is
  // undone); and its reopening, as Undo would bring it back. While it is
  // offered and no tool is under way, the history file holds it, so that a
  // later start offers it too.
  const std::optional<UnfinishedTool>& Unfinished() const;
  bool CanReopen() const { return Unfinished() && !Underway() && !dialog_ && !asking_; }
  bool ReopenUnfinished();

  // While an unfinished tool is offered, NEW TOOL first asks
  // "The unfinished tool "NAME" (K elements) will be discarded." with the
  // buttons Reopen, Discard and Cancel; the question stays open, and every
  // other action waits, until Answer. Reopen reopens the tool, Discard goes
  // on with NEW TOOL, Cancel changes nothing. False for a button the open
  // question does not have.
  const std::optional<Question>& Asking() const { return asking_; }
  bool Answer(std::string_view button);
  // The same question, for the tool library's Edit, while it would discard
  // the unfinished tool; after Discard, AcceptDiscard lets the next NEW TOOL
  // go on without asking.
  std::optional<Question> DiscardQuestion() const;
  void AcceptDiscard() { discardAccepted_ = true; }

 private:
  // Commands, named after the controls whose clicks run them.
  void Cmd_NewTool_Click();
  void Cmd_Add_Click();
  void Ob_Cylinder_Click();
  void Ob_Cone_Click();
  void Ob_Sphere_Click();
  void Cb_Disk_Click();
  void Cmd_Confirm_Click();
  void Cmd_DelLast_Click();
  void Cmd_DelAll_Click();
  void Cmd_Export_Click();

  // Selects an option button as a command does, running its click action
  // even when it was already selected (but never inside its own action).
  void SelectOption(ControlId id);
  // Sets or clears the check box; its action runs when the state changes.
  void SetDisk(bool set);
  void RunClickAction(ControlId id);

  // Writes the exported block: appended, or in place of the edited tool.
  platform::FileStatus WriteBlock(const std::string& bytes);

  // Stores a definition line and shows it in the pane.
  void AppendLine(std::string_view line);
  void ShowMessage(std::string_view text, std::string_view title);
  // Reports a failed file operation, once per command.
  void Report(std::string_view prefix, const scene::SceneResult& failure);

  // The history's side: the steps the user's clicks make, a tool rebuilt
  // from plain steps on a scratch editor, and the rebuilt state adopted.
  void RecordClick(ControlId id, bool startedTool, std::int16_t elementsBefore, ToolKind kind);
  void Record(Step step);
  void Perform(const Step& step);
  struct Rebuild;
  std::unique_ptr<Rebuild> Rebuilt(const std::vector<Step>& plain) const;
  void Adopt(Rebuild& rebuilt);
  void RebuildFromHistory();
  // Tries a change, insert or removal: committed when the tool can hold it.
  bool Commit(const Step& step);
  void SaveHistory();
  void ReadUnfinished();
  // A step is recorded at the history's position: a NEW TOOL that discarded
  // the unfinished tool and is dropped by it no longer does.
  void BeforeRecord();

  WindowModel window_;
  definition::ToolDefinition tool_;
  platform::FileSystem& files_;
  scene::Scene scene_;
  MessageBoxes& messages_;
  numbers::LocaleQuery& locale_;
  numbers::NumberFormat format_;
  sheet::MaterialChoice materials_;
  std::optional<sheet::ProbeProfile> probe_;
  std::string elementKind_;
  std::string elementOption_;
  ControlId runningAction_ = ControlId::Form1;  // the option action under way, if any
  bool reportedInCommand_ = false;
  int fileFailures_ = 0;
  std::string historyProblem_;
  std::string historyDamage_;
  bool closed_ = false;
  int commands_ = 0;
  std::optional<ExportedBlock> exported_;
  std::optional<EditedTool> edited_;
  History history_;
  bool recording_ = true;  // false on the scratch editor of a rebuild
  std::optional<ElementEntry> confirmed_;  // the element the last CONFIRM stored
  struct AcceptedElement {
    ElementEntry Element;
    int Command = 0;  // the count of commands when it was accepted
  };
  std::optional<AcceptedElement> accepted_;
  std::optional<ElementDialog> dialog_;
  std::optional<UnfinishedTool> unfinished_;
  // The index in history_ of the NEW TOOL that discarded unfinished_.
  std::optional<std::size_t> discardedBy_;
  std::optional<Question> asking_;
  bool discardAccepted_ = false;
  // What the history file holds since this editor last wrote it: the steps
  // from First to Last of history_, as they stood at its Revisions.
  struct SavedSteps {
    std::size_t First = 0, Last = 0, Revisions = 0;
  };
  std::optional<SavedSteps> saved_;
};

}  // namespace tarvo::editor
