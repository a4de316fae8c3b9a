#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/controls.h"

namespace tarvo::editor {

// A tool of usrprobe.dat loaded for editing: its name, its block as read and
// its position (0-based) among the file's tools.
struct EditedTool {
  std::string Name;
  std::string Block;
  std::size_t Position = 0;
};

// One element as an accepted CONFIRM took it: its kind word and the Step 4
// texts its type shows ("0", and "3" edges, for the others).
struct ElementEntry {
  std::string Kind;  // "Cyl", "Cone", "Sphere", "Polygon" or "Complex"
  bool Disk = false;
  std::string Diam = "0", Diam2 = "0", Height = "0", LengthMin = "0", Edges = "3";
  bool operator==(const ElementEntry&) const = default;
};

enum class ToolKind { Tip, Extension, Polygonal };

enum class StepKind { NewTool, AddElement, Confirm, DeleteLast, DeleteAll, Change, Insert, Remove };

// One step of the tool's history.
struct Step {
  StepKind Kind = StepKind::NewTool;
  std::string Name, Extension;   // NEW TOOL: the texts of Step 1
  ToolKind Tool = ToolKind::Tip;  // ADD ELEMENT: the kind of Step 2
  ElementEntry Element;          // CONFIRM, change and insert
  int Position = 0;              // element K (from 1) of a CONFIRM, change, insert or removal
  std::optional<EditedTool> BeginsEdit;  // the tool loaded for editing once this step is done
};

// The steps by their kinds: NEW TOOL, ADD ELEMENT, and the others.
Step NewToolStep(std::string name, std::string extension);
Step AddElementStep(ToolKind tool);
Step ElementStep(StepKind kind, int position, ElementEntry element = {});
inline Step PlainStep(StepKind kind) { return ElementStep(kind, 0); }

// The tool under way as a list of steps leaves it.
struct ToolUnderWay {
  std::string Name, Extension;
  std::optional<ToolKind> Kind;  // once ADD ELEMENT was pressed
  std::vector<ElementEntry> Elements;
};

// The tool under way after `steps` (plain steps: no change, insert or
// removal), or nothing when none was started or the last was deleted.
std::optional<ToolUnderWay> ToolAfter(const std::vector<Step>& steps);

// The plain steps that build `tool` from NEW TOOL, as a user would type them.
std::vector<Step> BuildSteps(const ToolUnderWay& tool);

// The history of the tools since start-up: every step done and those that
// were undone and can be redone.
class History {
 public:
  // A new step; the steps that could have been redone are dropped.
  void Record(Step step);
  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  void Undo() { if (CanUndo()) --position_; }
  void Redo() { if (CanRedo()) ++position_; }
  // EXPORT: the tool has left the editor.
  void Clear() { Truncate(0); }
  // Keeps the first `count` steps, all of them done.
  void Truncate(std::size_t count);
  // The last step done is where an edit of a tool of usrprobe.dat begins.
  void MarkEdit(EditedTool tool);

  const std::vector<Step>& Steps() const { return steps_; }
  std::size_t Position() const { return position_; }
  // The steps done, every change, insert and removal replaced by the plain
  // steps that build its result from NEW TOOL.
  std::vector<Step> PlainSteps() const { return PlainSteps(position_); }
  std::vector<Step> PlainSteps(std::size_t count) const;
  // The steps done since the tool under way was started, or none when no
  // tool is under way: what a later start may reopen.
  std::vector<Step> UnfinishedSteps() const;

 private:
  // Forgets the plain steps kept for more than `count` steps.
  void Invalidate(std::size_t count) const;

  std::vector<Step> steps_;
  std::size_t position_ = 0;
  // The plain steps after every kCheckpoint-th step, so that an undo or a
  // change folds at most that many steps however long the history is.
  static constexpr std::size_t kCheckpoint = 16;
  mutable std::vector<std::vector<Step>> checkpoints_{std::vector<Step>{}};
};

// The plain steps with one step more: a change, insert or removal replaces
// the tool's own steps by those that build its result. False, with the steps
// unchanged, when the step does not apply to the tool under way.
bool ApplyStep(std::vector<Step>& plain, const Step& step);

// "CONFIRM of element 3", "DELETE ALL", "change of element 2", ...
std::string StepName(const Step& step);
// The step's name with what it did, one line: `print history`.
std::string StepLine(const Step& step);

// The history file: one step a line, CR LF; and back. A text that is not a
// history gives nothing.
std::string EncodeSteps(const std::vector<Step>& steps);
std::optional<std::vector<Step>> DecodeSteps(std::string_view text);

// The Step 3 element types by their script names, and whether a tool kind offers each.
std::optional<std::string> ElementKindOfType(std::string_view type);
bool KindOffers(ToolKind tool, std::string_view elementKind);

// The Step 4 fields that an element's type shows, in the order of the window.
std::vector<ControlId> FieldsOf(const ElementEntry& element);
// The element's text of one of those fields.
std::string& FieldText(ElementEntry& element, ControlId field);
const std::string& FieldText(const ElementEntry& element, ControlId field);

}  // namespace tarvo::editor
