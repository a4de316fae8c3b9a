// Random tools of every kind, built by a user who confirms, deletes, undoes,
// redoes, changes, inserts and removes elements in any order, end exactly
// where the plain script of their resulting steps ends: the same window, pane,
// preview files and exported block. A later start reopens what was left.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>

#include "script/replay_script.h"
#include "testing/replay_editor.h"

namespace tarvo::editor {
namespace {

using enum ControlId;

constexpr const char* kTexts[] = {"1", "2.5", "2,5", "0.001", "12.3456789", "100", " 7 ", "1e2", "3", "4.50", "07"};
constexpr const char* kEdges[] = {"3", "4", "6", "12", "30", " 5"};
constexpr const char* kKinds[] = {"Cyl", "Cone", "Sphere", "Polygon", "Complex"};

struct Random {
  std::mt19937 engine;
  // The engine's output is fixed by the standard, this mapping our own.
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>((std::uint64_t{engine()} * n) >> 32); }
  template <std::size_t N>
  const char* Of(const char* const (&texts)[N]) { return texts[Below(N)]; }
};

ElementEntry RandomElement(Random& r, ToolKind tool, std::string kind = {}) {
  while (kind.empty() || !KindOffers(tool, kind)) kind = r.Of(kKinds);
  ElementEntry element{kind, kind == "Sphere" && r.Below(3) == 0};
  for (ControlId field : FieldsOf(element)) FieldText(element, field) = field == Cb_Edges ? r.Of(kEdges) : r.Of(kTexts);
  return element;
}

ControlId OptionOf(const std::string& kind) {
  return kind == "Cyl" ? Ob_Cylinder : kind == "Cone" || kind == "Polygon" ? Ob_Cone : Ob_Sphere;
}

// A user at Step 3 and 4: sometimes a bad value first, which is no step.
void ConfirmDirectly(Editor& editor, const ElementEntry& element, Random& r) {
  editor.Click(OptionOf(element.Kind));
  if (element.Disk) editor.Click(Cb_Disk);
  if (r.Below(4) == 0) {
    editor.Type(FieldsOf(element).back(), "abc");
    editor.Click(Cmd_Confirm);
  }
  for (ControlId field : FieldsOf(element)) editor.Type(field, FieldText(element, field));
  editor.Click(Cmd_Confirm);
}

// Fills the open dialog with `element`'s texts and presses OK, after a bad
// value now and then; whether the tool was changed.
bool FillDialog(Editor& editor, const ElementEntry& element, Random& r) {
  if (editor.Dialog()->Element.Disk != element.Disk) editor.ToggleDiskInDialog();
  if (r.Below(4) == 0) {
    editor.TypeInDialog(FieldsOf(element).front(), "-1");
    EXPECT_FALSE(editor.DialogOk());
  }
  for (ControlId field : FieldsOf(element)) editor.TypeInDialog(field, FieldText(element, field));
  if (r.Below(8) != 0 && editor.DialogOk()) return true;
  editor.DialogCancel();  // cancelled, or the tool cannot hold the change
  return false;
}

void AddElement(Editor& editor, ToolKind kind) {
  editor.Click(kind == ToolKind::Tip ? Ob_Tip : kind == ToolKind::Extension ? Ob_Extend : Ob_Polyg);
  editor.Click(Cmd_Add);
}

void ExpectSameWindow(const WindowModel& a, const WindowModel& b) {
  for (const ControlRow& row : kControls) {
    const ControlState& x = a.State(row.Id);
    const ControlState& y = b.State(row.Id);
    EXPECT_TRUE(x.Visible == y.Visible && x.Enabled == y.Enabled && x.Text == y.Text && x.Selected == y.Selected)
        << row.Name << ": " << x.Text << " / " << y.Text;
  }
  EXPECT_EQ(a.Focus(), b.Focus());
}

// The test's own account of what the steps must have built: the plain steps
// after each step done, and the elements of the tool under way.
struct Model {
  struct State {
    std::vector<Step> Plain;
    std::size_t ToolStart = 0;  // where the tool under way's steps begin
    std::vector<ElementEntry> Elements;
    bool Underway = false;
    bool HasKind = false;  // ADD ELEMENT was pressed
    bool Edited = false;   // loaded for editing: EXPORT is to replace its block
  };
  std::vector<State> States{State{}};
  std::size_t Position = 0;

  State Next() {
    States.resize(Position + 1);
    return States.back();
  }
  void Push(State state) {
    States.push_back(std::move(state));
    ++Position;
  }
  void Start(const std::string& name) {
    State state = Next();
    state.ToolStart = state.Plain.size();
    state.Plain.push_back(NewToolStep(name, "TARVO1"));
    state.Elements.clear();
    state.Underway = true;
    state.HasKind = false;
    state.Edited = false;
    Push(std::move(state));
  }
  void Add(ToolKind kind) {
    State state = Next();
    state.Plain.push_back(AddElementStep(kind));
    state.HasKind = true;
    Push(std::move(state));
  }
  void Plain(Step step) {
    State state = Next();
    if (step.Kind == StepKind::Confirm) state.Elements.push_back(step.Element);
    if (step.Kind == StepKind::DeleteLast) state.Elements.pop_back();
    if (step.Kind == StepKind::DeleteAll) state = State{state.Plain, 0, {}, false, false};
    state.Plain.push_back(std::move(step));
    Push(std::move(state));
  }
  // A change, insert or removal: the tool built again from its NEW TOOL.
  void Rebuilt(std::vector<ElementEntry> elements) {
    State state = Next();
    const Step newTool = state.Plain[state.ToolStart];
    const Step add = state.Plain[state.ToolStart + 1];
    state.Plain.resize(state.ToolStart);
    state.Plain.push_back(newTool);
    state.Plain.push_back(add);
    for (std::size_t i = 0; i < elements.size(); ++i) {
      state.Plain.push_back(ElementStep(StepKind::Confirm, static_cast<int>(i + 1), elements[i]));
    }
    state.Elements = std::move(elements);
    Push(std::move(state));
  }
  const State& Now() const { return States[Position]; }
};

// One random tool; whether it was exported.
bool BuildOne(unsigned seed) {
  SCOPED_TRACE("seed " + std::to_string(seed));
  Random r{std::mt19937(seed)};
  const auto kind = static_cast<ToolKind>(seed % 3);
  const std::string name = "T" + std::to_string(seed);
  testing::MemoryFileSystem files;
  testing::ReplayEditor user(files);
  Editor& a = user.editor;
  Model model;
  bool rebuilt = false;
  for (int op = 0, ops = 6 + static_cast<int>(r.Below(24)); op < ops; ++op) {
    if (!model.Now().HasKind) {
      if (r.Below(4) == 0 && a.Redo()) {
        ++model.Position;
        rebuilt = true;
      } else if (!model.Now().Underway) {
        a.Type(Tb_ToolName, name);
        a.Click(Cmd_NewTool);
        model.Start(name);
        rebuilt = false;
      } else {
        AddElement(a, kind);
        model.Add(kind);
        // Now and then a tool of usrprobe.dat: its edit goes on through changes, undo and redo.
        if (seed % 5 == 1) a.BeginEdit({name, "ITEM:" + name + "\tA\\r\r\n", seed}), model.States.back().Edited = true;
        rebuilt = false;
      }
      continue;
    }
    std::vector<ElementEntry> elements = model.Now().Elements;
    const auto count = static_cast<int>(elements.size());
    const auto k = static_cast<int>(r.Below(static_cast<std::size_t>(count))) + 1;
    const auto at = static_cast<std::size_t>(k - 1);
    switch (r.Below(12)) {
      case 0: case 1: case 2: case 3:
        if (a.Window().IsUsable(Cmd_Confirm)) {
          const ElementEntry element = RandomElement(r, kind);
          ConfirmDirectly(a, element, r);
          if (a.Tool().ElementCount > count) model.Plain(ElementStep(StepKind::Confirm, count + 1, element));
          rebuilt = false;
        }
        break;
      case 4:
        if (a.Window().IsUsable(Cmd_DelLast)) {
          a.Click(Cmd_DelLast);
          model.Plain(PlainStep(StepKind::DeleteLast));
          rebuilt = false;
        }
        break;
      case 5: case 6:
        EXPECT_EQ(a.Undo(), model.Position > 0);
        if (model.Position > 0) --model.Position, rebuilt = true;
        break;
      case 7:
        EXPECT_EQ(a.Redo(), model.Position + 1 < model.States.size());
        if (model.Position + 1 < model.States.size()) ++model.Position, rebuilt = true;
        break;
      case 8:
        if (count > 0) {
          EXPECT_TRUE(a.OpenChange(k));
          elements[at] = RandomElement(r, kind, elements[at].Kind);
          if (FillDialog(a, elements[at], r)) model.Rebuilt(elements), rebuilt = true;
        }
        break;
      case 9: {
        const ElementEntry element = RandomElement(r, kind);
        const std::size_t above = r.Below(elements.size() + 1);
        EXPECT_TRUE(a.OpenInsert(static_cast<int>(above) + 1, element.Kind));
        elements.insert(elements.begin() + static_cast<long>(above), element);
        if (FillDialog(a, element, r)) model.Rebuilt(elements), rebuilt = true;
        break;
      }
      case 10:
        if (count > 0) {
          EXPECT_TRUE(a.RemoveElement(k));
          elements.erase(elements.begin() + static_cast<long>(at));
          model.Rebuilt(elements);
          rebuilt = true;
        }
        break;
      default:
        if (r.Below(4) == 0 && a.Window().IsUsable(Cmd_DelAll)) {
          a.Click(Cmd_DelAll);
          model.Plain(PlainStep(StepKind::DeleteAll));
          rebuilt = false;
        }
    }
  }
  EXPECT_FALSE(a.Dialog());

  // The plain script of the resulting steps, on an editor of its own.
  testing::MemoryFileSystem plainFiles;
  testing::ReplayEditor plain(plainFiles);
  const std::string script = replay::ScriptOf(model.Now().Plain);
  EXPECT_EQ(plain.Run(script), replay::kOk) << script << plain.errors.str();
  EXPECT_EQ(a.Window().Text(RTB_Tool), plain.editor.Window().Text(RTB_Tool)) << script;
  EXPECT_EQ(files.Read("/d/Taster.wrl"), plainFiles.Read("/d/Taster.wrl")) << script;
  if (plainFiles.Has("/d/Taster_Old.wrl")) {
    EXPECT_EQ(files.Read("/d/Taster_Old.wrl"), plainFiles.Read("/d/Taster_Old.wrl")) << script;
  }
  if (rebuilt) ExpectSameWindow(a.Window(), plain.editor.Window());

  // The history's shared plain steps are those its steps give one by one.
  std::vector<Step> plainSteps;
  for (std::size_t i = 0; i < a.Steps().Position(); ++i) ApplyStep(plainSteps, a.Steps().Steps()[i]);
  EXPECT_EQ(replay::ScriptOf(a.Steps().PlainSteps()), replay::ScriptOf(plainSteps));
  EXPECT_EQ(a.Underway().has_value(), model.Now().Underway);
  if (a.Underway()) {
    EXPECT_EQ(a.Underway()->Elements, ToolAfter(plainSteps)->Elements);
  }
  EXPECT_EQ(files.Read("/d/.tarvo-tools.history"), EncodeSteps(a.Steps().UnfinishedSteps()));
  // A later start on the same files offers the tool under way and reopens
  // it, with the tool of usrprobe.dat it edits.
  if (seed % 5 <= 1 && model.Now().Underway) {
    testing::MemoryFileSystem later = files;
    testing::ReplayEditor next(later);
    EXPECT_TRUE(next.editor.Unfinished());
    EXPECT_TRUE(next.editor.ReopenUnfinished());
    EXPECT_EQ(next.editor.Window().Text(RTB_Tool), a.Window().Text(RTB_Tool)) << script;
    const auto edit = [](const Editor& e) {
      return e.Edited() ? e.Edited()->Name + "|" + e.Edited()->Block + "|" + std::to_string(e.Edited()->Position)
                        : "none";
    };
    EXPECT_EQ(edit(next.editor), edit(a)) << script;
  }

  EXPECT_EQ(a.Edited().has_value(), model.Now().Edited);
  if (!a.Window().IsUsable(Cmd_Export) || model.Now().Edited) return false;
  a.Click(Cmd_Export);
  plain.editor.Click(Cmd_Export);
  EXPECT_EQ(files.Read("/d/usrprobe.dat"), plainFiles.Read("/d/usrprobe.dat")) << script;
  EXPECT_FALSE(a.CanUndo());
  EXPECT_EQ(files.Read("/d/.tarvo-tools.history"), "TARVO TOOLS HISTORY 1\r\n");
  return true;
}

TEST(History, UndoRedoAndChangesEndWhereThePlainScriptOfTheirStepsEnds) {
  int exported = 0;
  for (unsigned seed = 1; seed <= 500; ++seed) exported += BuildOne(seed) ? 1 : 0;
  EXPECT_GE(exported, 100);
}

// The same element confirmed and deleted a thousand times in one tool: the
// last cycle keeps, copies and writes what the first did, however long the
// history has grown.
TEST(History, TheThousandthStepCostsWhatTheFirstDid) {
  testing::MemoryFileSystem files;
  testing::ReplayEditor user(files);
  Editor& a = user.editor;
  a.Type(Tb_ToolName, "LONG");
  a.Click(Cmd_NewTool);
  AddElement(a, ToolKind::Tip);
  const auto cycle = [&] {
    const History& h = a.Steps();
    const std::array before{h.PlainStepsKept(), h.StepsCopied(), files.BytesWritten};
    a.Type(Tb_Diam, "6");
    a.Type(Tb_Height, "20");
    a.Click(Cmd_Confirm);
    a.Click(Cmd_DelLast);
    return std::array{h.PlainStepsKept() - before[0], h.StepsCopied() - before[1], files.BytesWritten - before[2]};
  };
  const auto first = cycle();
  for (int i = 0; i < 1000; ++i) cycle();
  EXPECT_EQ(cycle(), first);
  EXPECT_EQ(a.Steps().Steps().size(), 2 + 2 * 1002U);
  EXPECT_EQ(files.Read("/d/.tarvo-tools.history"), EncodeSteps(a.Steps().UnfinishedSteps()));
}

}  // namespace
}  // namespace tarvo::editor
