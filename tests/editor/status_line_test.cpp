#include "editor/status_line.h"
#include "editor/messages.h"

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
      {[](F f) { f.Confirm({{Tb_Height, "20"}, {Tb_Diam, "6"}}); }, "Elements 1 of 50 | Lines 5 of 200 | Length 20 | \u03B4 0.02 \u00B5m"},
      {[](F f) { f.editor.Click(Ob_Cone), f.Confirm({{Tb_Height, "5.5"}, {Tb_Diam, "6"}, {Tb_Diam2, "2"}}); },
       "Elements 2 of 50 | Lines 6 of 200 | Length 25.5 | \u03B4 0.04 \u00B5m"},
      {[](F f) { f.editor.Click(Ob_Sphere), f.Confirm({{Tb_Diam, "3"}}); },
       "Elements 3 of 50 | Lines 9 of 200 | Length 25.5 | EWL 1.375 | \u03B4 0.04 \u00B5m | ball \u00D83"},
      {[](F f) { f.editor.Click(Cmd_DelLast); }, "Elements 2 of 50 | Lines 6 of 200 | Length 25.5 | \u03B4 0.04 \u00B5m"},
      {[](F f) { f.editor.Click(Ob_Sphere), f.editor.Click(Cb_Disk), f.Confirm({{Tb_Diam, "12"}, {Tb_Height, "2"}}); },
       "Elements 3 of 50 | Lines 9 of 200 | Length 26.5 | EWL 26.5 | \u03B4 0.05 \u00B5m | disk \u00D812"},  // a disk's length goes to its middle
      {[](F f) { f.editor.Click(Cmd_DelAll); }, "Elements 0 of 50 | Lines 0 of 200 | Length 0"},
      {[](F f) { f.StartTool(Ob_Extend, "E1"), f.Confirm({{Tb_Height, "10"}, {Tb_Diam, "8"}}); },
       "Elements 1 of 50 | Lines 5 of 200 | Length 10 | \u03B4 0.00 \u00B5m"},
      {[](F f) { f.editor.Click(Cmd_Export); }, "Elements 0 of 50 | Lines 0 of 200 | Length 0"},
      {[](F f) {
         f.StartTool(Ob_Polyg, "P1"), f.Confirm({{Tb_Height, "5"}, {Tb_Diam, "20"}});
         f.editor.Click(Ob_Cone), f.editor.Pick(Cb_Edges, 1), f.Confirm({{Tb_Diam2, "10"}, {Tb_Height, "10"}});
       },
       "Elements 2 of 50 | Lines 16 of 200 | Length 15 | \u03B4 0.00 \u00B5m"},
      {[](F f) {  // a two-level polygon
         f.editor.Click(Ob_Sphere);
         f.Confirm({{Cb_Edges, "4"}, {Tb_Diam2, "10"}, {Tb_LengthMin, "6"}, {Tb_Height, "4"}});
       },
       "Elements 3 of 50 | Lines 28 of 200 | Length 19 | \u03B4 0.00 \u00B5m"},
  };
  EditorFixture f;
  for (std::size_t step = 0; step < std::size(steps); ++step) {
    steps[step].first(f);
    const std::string line = StatusLine(f.editor);  // the figures come before the folder
    EXPECT_EQ(line.substr(0, line.rfind(" | ")), steps[step].second) << "step " << step;
    // Read element by element, the figures are those of the whole block.
    const auto figures = FiguresOfTool(f.editor), whole = sheet::FiguresOfBlock(f.editor.Tool().Text(), {});
    ASSERT_EQ(figures.has_value(), whole.has_value()) << "step " << step;
    if (figures) {
      EXPECT_EQ(sheet::FigureLines(*figures), sheet::FigureLines(*whole)) << "step " << step;
      EXPECT_EQ(figures->Bending, whole->Bending) << "step " << step;
    }
  }
}

// The chosen probe's force bends the tool; a limit it passes is a notice
// before the figures, with the chosen materials' mass.
TEST(StatusLine, BendsAtTheChosenProbesForceAndSaysWhichLimitIsPassed) {
  EditorFixture f;
  f.StartTool(Ob_Tip, "ST1");
  f.Confirm({{Tb_Height, "20"}, {Tb_Diam, "2"}});
  f.editor.Click(Ob_Sphere), f.Confirm({{Tb_Diam, "3"}});
  const std::string figures = "Elements 2 of 50 | Lines 8 of 200 | Length 20 | EWL 20 | \u03B4 ";
  EXPECT_TRUE(StatusLine(f.editor).starts_with(figures + "1.70 \u00B5m | ball \u00D83 | ")) << StatusLine(f.editor);
  f.editor.ChooseProbe({sheet::Material::Carbide, {}}, sheet::ProbeProfile{"Head A", 0.5, 15, 0.5});
  EXPECT_EQ(LimitNotice(f.editor), "Head A: over the probe's length limit of 15 mm by 5 mm; "
                                   "over the probe's mass limit of 0.5 g by 0.5 g");
  EXPECT_TRUE(StatusLine(f.editor).starts_with(*LimitNotice(f.editor) + " | " + figures + "2.74 \u00B5m | "));
  f.editor.ChooseProbe({}, sheet::ProbeProfile{"Head B", 0.1, 20, std::nullopt});
  EXPECT_EQ(LimitNotice(f.editor), std::nullopt);
  f.editor.Click(Cmd_DelAll);
  f.editor.ChooseProbe({}, sheet::ProbeProfile{"Head C", 0.1, 0.001, 0.001});
  EXPECT_EQ(LimitNotice(f.editor), std::nullopt);  // no tool under way
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

// A folder in which nothing can be written: one box when the window shows,
// then the status line says it; the preview's and the history's failures
// add nothing, EXPORT's own failure is still told. The same failures in a
// folder not known to be read only open the preview's box as before.
TEST(StatusLine, AnUnwritableFolderIsSaidOnceAndStays) {
  for (const bool unwritable : {true, false}) {
    EditorFixture f("/d", false);
    for (const char* file : {"/d/Taster.wrl", "/d/Taster_Old.wrl", "/d/usrprobe.dat", "/d/usrprobe_old.dat",
                             "/d/.tarvo-tools.history"}) {
      f.files.FailingPaths.insert(file);
    }
    if (unwritable) f.editor.SetUnwritableFolder();
    f.editor.Load();
    f.editor.TellUnwritableFolder();
    f.StartTool(Ob_Tip, "ST1");
    f.Confirm({{Tb_Height, "20"}, {Tb_Diam, "6"}});
    const std::string line = StatusLine(f.editor);
    ASSERT_FALSE(f.messages.Boxes.empty());
    if (unwritable) {
      EXPECT_EQ(f.messages.Boxes.size(), 1u);
      EXPECT_EQ(f.messages.Boxes[0].Text, UnwritableFolderMessage("/d"));
      EXPECT_TRUE(line.starts_with("The data folder cannot be written: nothing can be exported | Elements 1 of 50")) << line;
    } else {
      EXPECT_TRUE(f.messages.Boxes[0].Text.starts_with("The preview file cannot be written: ")) << f.messages.Boxes[0].Text;
      EXPECT_TRUE(line.starts_with("The tool under way cannot be saved")) << line;
    }
    const std::size_t before = f.messages.Boxes.size();
    f.editor.Click(Ob_Sphere);
    f.Confirm({{Tb_Diam, "3"}});
    f.editor.Click(Cmd_Export);
    ASSERT_EQ(f.messages.Boxes.size(), before + (unwritable ? 1 : 2));
    EXPECT_TRUE(f.messages.Boxes.back().Text.starts_with("The tool was not exported: ")) << f.messages.Boxes.back().Text;
  }
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
