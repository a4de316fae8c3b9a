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
  // How many times steps were dropped (by Truncate or a Record after an
  // undo) or changed (MarkEdit): while it stays the same, the steps recorded
  // are as they were.
  std::size_t Revisions() const { return revisions_; }
  // The steps done, every change, insert and removal replaced by the plain
  // steps that build its result from NEW TOOL.
  std::vector<Step> PlainSteps() const { return PlainSteps(position_); }
  std::vector<Step> PlainSteps(std::size_t count) const;
  // The tool under way after the steps done: ToolAfter(PlainSteps()).
  std::optional<ToolUnderWay> Underway() const;
  // The steps done since the tool under way was started, or none when no
  // tool is under way: what a later start may reopen. They begin at Steps()
  // index UnfinishedStart() and end at Position().
  std::optional<std::size_t> UnfinishedStart() const;
  std::vector<Step> UnfinishedSteps() const;
  // How many plain steps the history keeps, and how many steps it has
  // copied since start-up (into what it keeps and into the lists it returns):
  // both grow with the steps recorded, not with the history's length.
  std::size_t PlainStepsKept() const { return nodes_.size(); }
  std::size_t StepsCopied() const { return copied_; }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  // One plain step, after the plain step `Before`: the plain steps are shared
  // between the states of the history as a tree, a change adding the tool's
  // steps afresh after those before its NEW TOOL. Each keeps the tool under
  // way after it, its elements as a chain of CONFIRMs.
  struct PlainNode {
    Step Plain;
    std::size_t Before = kNone;
    std::size_t Length = 1;         // plain steps up to and with this one
    std::size_t Tool = kNone;       // the NEW TOOL of the tool under way
    std::optional<ToolKind> Kind;   // once ADD ELEMENT was pressed
    std::size_t Last = kNone;       // the CONFIRM of the tool's last element
    std::size_t Below = kNone;      // a CONFIRM's: the last element before it
    std::size_t Edit = kNone;       // the last step since NEW TOOL that begins an edit
  };
  // The plain steps after some steps done.
  struct Done {
    std::size_t Plain = kNone;  // the last of them
    std::size_t Nodes = 0;      // how many nodes they and those before take
    std::size_t Started = 0;    // 1 + the index of the last NEW TOOL among the steps, 0 if none
  };
  const Done& DoneAfter(std::size_t count) const;
  // The last plain step once `step` is done after `plain`.
  std::size_t Apply(std::size_t plain, const Step& step) const;
  std::size_t Append(std::size_t before, Step step) const;
  std::optional<ToolUnderWay> ToolAt(std::size_t plain) const;
  // Forgets the plain steps kept for more than `count` steps.
  void Invalidate(std::size_t count) const;

  std::vector<Step> steps_;
  std::size_t position_ = 0;
  std::size_t revisions_ = 0;
  mutable std::vector<PlainNode> nodes_;
  mutable std::vector<Done> done_{Done{}};
  mutable std::size_t copied_ = 0;
};

// The plain steps with one step more: a change, insert or removal replaces
// the tool's own steps by those that build its result. False, with the steps
// unchanged, when the step does not apply to the tool under way.
bool ApplyStep(std::vector<Step>& plain, const Step& step);

// "CONFIRM of element 3", "DELETE ALL", "change of element 2", ...
std::string StepName(const Step& step);
// The step's name with what it did, one line: `print history`.
std::string StepLine(const Step& step);

// The history file: one step a line, CR LF, a step that began an edit
// followed by a line with the tool it loaded; and back. A text that is not a
// history gives nothing.
std::string EncodeSteps(const std::vector<Step>& steps);
std::string EncodeStep(const Step& step);  // the step's line
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
