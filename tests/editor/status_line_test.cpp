#include "editor/status_line.h"

#include "definition/code_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "editor_testing.h"
#include "testing/temp_folder.h"

namespace tarvo::editor {
namespace {

using enum ControlId;
using testing::EditorFixture;

// One tool of each kind, element by element, with DELETE LAST and DELETE ALL.
TEST(StatusLine, FollowsEveryKindOfElement) {
  using F = EditorFixture&;
  const std::pair<std::function<void(F)>, const char*> steps[] = {
      {[](F) {}, "Elements 0 of 50 | Lines 0 of 200 | Length 0"},
      {[](F f) { f.StartTool(Ob_Tip, "ST1"); }, "Elements 0 of 50 | Lines 4 of 200 | Length 0"},
      {[](F f) { f.Confirm({{Tb_Height, "20"}, {Tb_Diam, "6"}}); }, "Elements 1 of 50 | Lines 5 of 200 | Length 20"},
      {[](F f) { f.editor.Click(Ob_Cone), f.Confirm({{Tb_Height, "5.5"}, {Tb_Diam, "6"}, {Tb_Diam2, "2"}}); },
       "Elements 2 of 50 | Lines 6 of 200 | Length 25.5"},
      {[](F f) { f.editor.Click(Ob_Sphere), f.Confirm({{Tb_Diam, "3"}}); },
       "Elements 3 of 50 | Lines 9 of 200 | Length 25.5 | EWL 1.375 | ball \u00D83"},
      {[](F f) { f.editor.Click(Cmd_DelLast); }, "Elements 2 of 50 | Lines 6 of 200 | Length 25.5"},
      {[](F f) { f.editor.Click(Ob_Sphere), f.editor.Click(Cb_Disk), f.Confirm({{Tb_Diam, "12"}, {Tb_Height, "2"}}); },
       "Elements 3 of 50 | Lines 9 of 200 | Length 26.5 | EWL 26.5 | disk \u00D812"},  // a disk's length goes to its middle
      {[](F f) { f.editor.Click(Cmd_DelAll); }, "Elements 0 of 50 | Lines 0 of 200 | Length 0"},
      {[](F f) { f.StartTool(Ob_Extend, "E1"), f.Confirm({{Tb_Height, "10"}, {Tb_Diam, "8"}}); },
       "Elements 1 of 50 | Lines 5 of 200 | Length 10"},
      {[](F f) { f.editor.Click(Cmd_Export); }, "Elements 0 of 50 | Lines 0 of 200 | Length 0"},
      {[](F f) {
         f.StartTool(Ob_Polyg, "P1"), f.Confirm({{Tb_Height, "5"}, {Tb_Diam, "20"}});
         f.editor.Click(Ob_Cone), f.editor.Pick(Cb_Edges, 1), f.Confirm({{Tb_Diam2, "10"}, {Tb_Height, "10"}});
       },
       "Elements 2 of 50 | Lines 16 of 200 | Length 15"},
      {[](F f) {  // a two-level polygon
         f.editor.Click(Ob_Sphere);
         f.Confirm({{Cb_Edges, "4"}, {Tb_Diam2, "10"}, {Tb_LengthMin, "6"}, {Tb_Height, "4"}});
       },
       "Elements 3 of 50 | Lines 28 of 200 | Length 19"},
  };
  EditorFixture f;
  for (std::size_t step = 0; step < std::size(steps); ++step) {
    steps[step].first(f);
    const std::string line = StatusLine(f.editor);  // the figures come before the folder
    EXPECT_EQ(line.substr(0, line.rfind(" | ")), steps[step].second) << "step " << step;
  }
}

TEST(StatusLine, NoticeWhileANewToolHasANameTheFileHolds) {
  const tarvo::testing::TempFolder folder;
  // Windows-1252: ü as 0xFC; names compare as a reader that splits at blanks sees them.
  const std::string file = "ITEM:ST1  TARVO1\r\nbegintip\r\nendtip\r\n\r\nITEM:M\xFCller  M2\r\nendtip\r\n\r\n"
                           "ITEM: B2  M2\r\n\r\n";
  const std::string held = " is already in usrprobe.dat", blanks = ", and the name has blanks at its ends.";
  for (const char* ends : {"\r\n", "\n", "\r"}) {  // read alike
    std::ofstream(folder / "usrprobe.dat", std::ios::binary) << std::regex_replace(file, std::regex("\r\n"), ends);
    for (const auto& [name, notice] : std::initializer_list<std::pair<const char*, std::optional<std::string>>>{
             {"ST1", "A tool named ST1" + held + "."}, {"ST1  ", "A tool named ST1" + held + "."},
             {" ST1", "A tool named ST1" + held + blanks}, {" ST1 ", "A tool named ST1" + held + blanks},
             {"M\u00FCller", "A tool named M\u00FCller" + held + "."},
             {"B2", "A tool named B2" + held + ", where the name has blanks at its ends."},
             {"ST2", std::nullopt}, {"ST", std::nullopt}, {"S T1", std::nullopt}}) {
      EditorFixture f(folder.Path());
      f.editor.Type(Tb_ToolName, name);
      f.editor.Click(Cmd_NewTool);
      EXPECT_EQ(DuplicateNameNotice(f.editor), notice) << name;
      EXPECT_EQ(StatusLine(f.editor).starts_with("A tool named "), notice.has_value()) << name;
      EXPECT_TRUE(f.messages.Boxes.empty());  // a notice, never a message box
      f.editor.Click(Cmd_Add);
      EXPECT_EQ(DuplicateNameNotice(f.editor), std::nullopt);  // the tool is under way
    }
  }
}

// A history that cannot be written is said in the status line until a step
// saves it again; the tool goes on.
TEST(StatusLine, NoticeWhileTheToolUnderWayCannotBeSaved) {
  EditorFixture f;
  f.files.FailingPaths.insert("/d/.tarvo-tools.history");
  f.StartTool(Ob_Tip, "ST1");
  EXPECT_TRUE(StatusLine(f.editor).starts_with(
      "The tool under way cannot be saved for a later start: /d/.tarvo-tools.history: Is a directory | Elements 0"));
  EXPECT_TRUE(f.messages.Boxes.empty());
  f.files.FailingPaths.clear();
  f.Confirm({{Tb_Height, "20"}, {Tb_Diam, "6"}});
  EXPECT_TRUE(StatusLine(f.editor).starts_with("Elements 1 of 50"));
  EXPECT_EQ(f.files.Read("/d/.tarvo-tools.history"), EncodeSteps(f.editor.Steps().UnfinishedSteps()));
}

// EXPORT says which tool of the file it wrote, until the next command; the
// window's own actions have their texts here too.
TEST(StatusLine, NoticesAfterExportCopyAndSave) {
  EditorFixture f;
  EXPECT_EQ(DefinitionToCopy(f.editor).Notice, "There is no definition to copy: start a tool with NEW TOOL.");
  EXPECT_EQ(DefinitionToCopy(f.editor).Text, "");
  const auto exportTool = [&f](const char* name) {
    f.StartTool(Ob_Extend, name);
    f.Confirm({{Tb_Height, "10"}, {Tb_Diam, "8"}});
    f.editor.Click(Cmd_Export);
    return ExportNotice(f.editor);
  };
  EXPECT_EQ(exportTool("ST1"), "Exported ST1 to usrprobe.dat (tool 1 of 1).");
  f.editor.Type(Tb_ToolName, "");
  EXPECT_TRUE(ExportNotice(f.editor));  // typing is no command
  f.editor.Click(Cmd_NewTool);          // refused, but a command
  EXPECT_EQ(ExportNotice(f.editor), std::nullopt);
  f.messages.Boxes.clear();

  f.StartTool(Ob_Extend, " E2 ");  // named as a reader of the file sees it
  EXPECT_EQ(DefinitionToCopy(f.editor).Notice, "Copied the definition of E2 so far: it is not complete yet.");
  f.Confirm({{Tb_Height, "10"}, {Tb_Diam, "8"}});
  EXPECT_EQ(SavedNotice(f.editor, "/x/E2.stl"), "Saved E2 as /x/E2.stl.");
  f.editor.Click(Cmd_Export);
  EXPECT_EQ(ExportNotice(f.editor), "Exported E2 to usrprobe.dat (tool 2 of 2).");
  EXPECT_EQ(exportTool("ST1"), "Exported ST1 to usrprobe.dat (tool 3 of 3).");  // the same bytes again
  const std::string& file = f.files.Files["/d/usrprobe.dat"];
  f.editor.BeginEdit({"ST1", file.substr(0, file.find("\r\n\r\n") + 4), 0});
  EXPECT_EQ(exportTool("ST1"), "Exported ST1 to usrprobe.dat (tool 1 of 3).");  // in its place
  f.files.Files["/d/usrprobe.dat"].insert(0, "; by hand\n");
  EXPECT_EQ(exportTool("ST4"), "Exported ST4 to usrprobe.dat (tool 4 of 4). usrprobe.dat has line ends "
                               "other than CR LF: tarvo-library check shows where.");
  EXPECT_TRUE(f.messages.Boxes.empty());
  EXPECT_EQ(CopiedToolNotice(" M\xFCller"), "Copied the definition of M\u00FCller.");
}

// Copy definition of a tool that can be exported takes exactly the bytes
// EXPORT then appends; before that, the pane so far.
TEST(StatusLine, CopyDefinitionIsTheExportedBlock) {
  EditorFixture f;
  f.StartTool(Ob_Tip, "M\u00FCller");
  f.Confirm({{Tb_Height, "20"}, {Tb_Diam, "6"}});
  const CopiedDefinition partial = DefinitionToCopy(f.editor);
  EXPECT_EQ(partial.Text, f.Window().Text(RTB_Tool));
  EXPECT_EQ(partial.Notice, "Copied the definition of M\u00FCller so far: it is not complete yet.");
  f.editor.Click(Ob_Sphere);
  f.Confirm({{Tb_Diam, "3"}});
  const CopiedDefinition whole = DefinitionToCopy(f.editor);
  EXPECT_EQ(whole.Notice, "Copied the definition of M\u00FCller.");
  EXPECT_TRUE(whole.Text.ends_with("ball\r\nendtip\r\n\r\n"));
  f.editor.Click(Cmd_Export);
  EXPECT_EQ(definition::ToWindows1252(whole.Text), f.files.Files["/d/usrprobe.dat"]);
}

}  // namespace
}  // namespace tarvo::editor
