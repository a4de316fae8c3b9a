// The unfinished tool a start offers: NEW TOOL asks before discarding it, and
// whatever the user does, what the window offers is what a restart would
// offer, read from the disk.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>

#include "editor/messages.h"
#include "editor/status_line.h"
#include "testing/replay_editor.h"

namespace tarvo::editor {
namespace {

using enum ControlId;
using testing::ReplayEditor;

constexpr const char* kHistory = "/d/.tarvo-tools.history";

void Confirm(Editor& editor) {
  editor.Type(Tb_Height, "5");
  editor.Type(Tb_Diam, "4");
  editor.Click(Cmd_Confirm);
}

void Build(Editor& editor, const char* name, int elements) {
  editor.Type(Tb_ToolName, name);
  editor.Click(Cmd_NewTool);
  editor.Click(Cmd_Add);
  for (int i = 0; i < elements; ++i) Confirm(editor);
}

// "NAME (K)" of the tool a window offers: the one under way, else the
// unfinished one it offers to reopen; "none".
std::string Offered(const Editor& editor) {
  if (const std::optional<ToolUnderWay> tool = editor.Underway()) {
    return tool->Name + " (" + std::to_string(tool->Elements.size()) + ")";
  }
  if (const std::optional<UnfinishedTool>& tool = editor.Unfinished()) {
    return tool->Name + " (" + std::to_string(tool->Elements) + ")";
  }
  return "none";
}

std::string OfferedAfterRestart(const testing::MemoryFileSystem& files) {
  testing::MemoryFileSystem copy = files;
  ReplayEditor restarted(copy);
  return Offered(restarted.editor);
}

TEST(UnfinishedTool, NewToolAsksAndUndoBringsTheToolBackOnTheDisk) {
  testing::MemoryFileSystem files;
  {
    ReplayEditor earlier(files);
    Build(earlier.editor, "LW1", 2);
  }
  const std::string saved = files.Read(kHistory);
  ReplayEditor user(files);
  Editor& e = user.editor;
  e.Type(Tb_ToolName, "NEW");
  e.Click(Cmd_NewTool);
  ASSERT_TRUE(e.Asking());
  EXPECT_EQ(e.Asking()->Text, "The unfinished tool \"LW1\" (2 elements) will be discarded.");
  EXPECT_EQ(e.Asking()->Buttons, (std::vector<std::string>{"Reopen", "Discard", "Cancel"}));
  e.Click(Cmd_Exit);  // every other action waits for the answer
  EXPECT_FALSE(e.Closed());
  EXPECT_FALSE(e.Answer("OK"));
  EXPECT_TRUE(e.Answer("Cancel"));
  EXPECT_EQ(files.Read(kHistory), saved);
  EXPECT_TRUE(e.CanReopen());
  EXPECT_TRUE(e.Window().IsShown(Frame_NewTool));

  e.Click(Cmd_NewTool);
  EXPECT_TRUE(e.Answer("Discard"));
  EXPECT_EQ(Offered(e), "NEW (0)");
  EXPECT_EQ(OfferedAfterRestart(files), "NEW (0)");
  e.Click(Cmd_Add);
  Confirm(e);
  e.Click(Cmd_DelAll);  // discarded for good, until the NEW TOOL is undone
  EXPECT_EQ(Offered(e), "none");
  EXPECT_EQ(OfferedAfterRestart(files), "none");
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(e.Undo());
  EXPECT_EQ(files.Read(kHistory), saved);
  EXPECT_EQ(Offered(e), "LW1 (2)");
  EXPECT_EQ(OfferedAfterRestart(files), "LW1 (2)");

  e.Type(Tb_ToolName, "NEW");
  e.Click(Cmd_NewTool);
  EXPECT_TRUE(e.Answer("Reopen"));
  EXPECT_EQ(Offered(e), "LW1 (2)");
  EXPECT_EQ(e.Tool().ElementCount, 2);
}

// A history file that holds no tool the editor can read back is set aside as
// it was, said in the status line, and the start goes on.
TEST(UnfinishedTool, ADamagedHistoryIsSetAsideAndSaid) {
  const std::string header = "TARVO TOOLS HISTORY 1\r\n";
  for (const std::string& damaged :
       {std::string("junk\n"), header + "NEW TOOL\tLW1", header + "ADD ELEMENT\ttip\r\n",
        header + "DELETE ALL\r\n", std::string("\0\xFF", 2)}) {
    testing::MemoryFileSystem files;
    files.Files[kHistory] = damaged;
    ReplayEditor start(files);
    EXPECT_FALSE(start.editor.Unfinished());
    EXPECT_EQ(files.Read("/d/.tarvo-tools.history.damaged"), damaged);
    EXPECT_EQ(files.Read(kHistory), header);
    EXPECT_TRUE(StatusLine(start.editor).starts_with(
        "The saved unfinished tool could not be read: set aside as /d/.tarvo-tools.history.damaged | Elements 0"));
    Build(start.editor, "T", 1);  // saved again: the notice has done its work
    EXPECT_TRUE(StatusLine(start.editor).starts_with("Elements 1"));
  }
  testing::MemoryFileSystem files;  // one that cannot be set aside stays as it was
  files.Files[kHistory] = "junk\n";
  files.FailingPaths = {"/d/.tarvo-tools.history.damaged"};
  ReplayEditor start(files);
  EXPECT_EQ(files.Read(kHistory), "junk\n");
  EXPECT_EQ(start.editor.HistoryDamage(), "it cannot be set aside: /d/.tarvo-tools.history.damaged: Is a directory");
}

// Random steps with restarts in between: NEW TOOL answered at random, ADD
// ELEMENT, CONFIRM, DELETE LAST, DELETE ALL, EXPORT, undo, redo, reopen.
TEST(UnfinishedTool, TheWindowOffersWhatARestartWouldOffer) {
  int discards = 0;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const auto below = [&](std::size_t n) { return static_cast<std::size_t>((std::uint64_t{random()} * n) >> 32); };
    testing::MemoryFileSystem files;
    auto user = std::make_unique<ReplayEditor>(files);
    for (int step = 0; step < 150; ++step) {
      Editor& e = user->editor;
      const std::size_t action = below(10);
      switch (action) {
        case 0:
          e.Type(Tb_ToolName, "T" + std::to_string(step));
          e.Click(Cmd_NewTool);
          if (e.Asking()) {
            const std::size_t answer = below(3);
            discards += answer == 1 ? 1 : 0;
            e.Answer(e.Asking()->Buttons[answer]);
          }
          break;
        case 1: e.Click(Cmd_Add); break;
        case 2:
        case 3: Confirm(e); break;
        case 4: e.Click(below(4) == 0 ? Cmd_DelAll : below(2) == 0 ? Cmd_Export : Cmd_DelLast); break;
        case 5: e.Undo(); break;
        case 6: e.Redo(); break;
        case 7: e.ReopenUnfinished(); break;
        default:  // a restart now and then
          if (below(2) == 0) user = std::make_unique<ReplayEditor>(files);
      }
      ASSERT_FALSE(user->editor.Asking());
      ASSERT_EQ(Offered(user->editor), OfferedAfterRestart(files)) << "after step " << step << ", action " << action;
    }
  }
  EXPECT_GE(discards, 40);
}

}  // namespace
}  // namespace tarvo::editor
