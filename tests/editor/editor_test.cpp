#include "editor/editor.h"

#include <gtest/gtest.h>

#include <random>

#include "editor_testing.h"

namespace tarvo::editor {
namespace {

using enum ControlId;
using testing::EditorFixture;

TEST(Editor, StartUpFillsTheListsAndShowsStepOne) {
  EditorFixture f;
  EXPECT_EQ(f.Window().State(Cb_Extension).Items,
            (std::vector<std::string>{" TARVO1", " M2", " M3", " M4", " M5"}));
  EXPECT_EQ(f.Window().State(Cb_Edges).Items.size(), 15U);
  EXPECT_EQ(f.Window().State(Cb_Edges).Items.back(), "30");
  EXPECT_EQ(f.Window().Text(Cb_Edges), "3");
  EXPECT_EQ(f.editor.ElementKind(), "");
  EXPECT_EQ(f.editor.ElementOption(), "");
  std::vector<std::string> shown;
  for (const ControlRow& control : kControls) {
    if (f.Window().IsShown(control.Id) && control.Kind != ControlKind::Window) shown.emplace_back(control.Name);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"Frame_NewTool", "Lbl_ToolName", "Tb_ToolName", "Label1",
                                             "Cb_Extension", "Cmd_NewTool", "Shape1", "RTB_Tool",
                                             "TasterView", "Cmd_Exit"}));
  EXPECT_EQ(f.files.Read("/d/Taster.wrl").substr(0, 17), "#VRML V2.0 utf8\r\n");
}

TEST(Editor, AddElementRunsTheCylinderActionEvenWhenItWasSelected) {
  EditorFixture f;
  f.StartTool(Ob_Extend);
  f.Confirm({{Tb_Height, "1"}, {Tb_Diam, "1"}});
  f.editor.Click(Cmd_Export);
  ASSERT_TRUE(f.Window().IsSelected(Ob_Cylinder));
  EXPECT_FALSE(f.Window().IsShown(Cmd_Confirm));
  f.StartTool(Ob_Tip);
  EXPECT_TRUE(f.Window().IsShown(Cmd_Confirm));
  EXPECT_EQ(f.Window().Text(Tb_Diam), "0");
  EXPECT_TRUE(f.Window().IsShown(Ob_Cone));  // shown again after an extension
}

TEST(Editor, ATipAfterAPolygonalToolGetsItsCaptionsBack) {
  EditorFixture f;
  f.StartTool(Ob_Polyg);
  f.editor.Click(Ob_Cone);
  f.editor.Click(Ob_Cylinder);
  EXPECT_EQ(f.Window().Text(Lbl_Diam), "DIAMETER:");
  EXPECT_TRUE(f.Window().IsShown(Tb_Diam));
  EXPECT_FALSE(f.Window().IsShown(Cb_Edges));
  f.Confirm({{Tb_Height, "1"}, {Tb_Diam, "1"}});
  f.editor.Click(Cmd_DelAll);
  EXPECT_EQ(f.Window().Text(Ob_Cone), "POLYGON");  // kept until the next ADD ELEMENT
  f.StartTool(Ob_Tip);
  EXPECT_EQ(f.Window().Text(Ob_Cone), "CONE");
  EXPECT_EQ(f.Window().Text(Ob_Sphere), "SPHERE OR DISK");
}

TEST(Editor, TheBallOptionClearsDisk) {
  EditorFixture f;
  f.StartTool(Ob_Tip);
  f.editor.Click(Ob_Sphere);
  f.editor.Click(Cb_Disk);
  EXPECT_TRUE(f.Window().IsShown(Tb_Height));
  f.editor.Type(Tb_Height, "5");
  f.editor.Click(Ob_Sphere);
  EXPECT_FALSE(f.Window().IsSelected(Cb_Disk));
  EXPECT_FALSE(f.Window().IsShown(Tb_Height));
  EXPECT_EQ(f.Window().Text(Lbl_ElemType), "SPHERE");
  EXPECT_EQ(f.Window().Text(Tb_Height), "0");
  EXPECT_EQ(f.Window().Focus(), Tb_Diam);
  EXPECT_EQ(f.Window().State(Tb_Diam).SelectionLength, 1);  // its "0" is selected
}

TEST(Editor, DeleteLastHidesItselfAndPassesTheFocusOn) {
  EditorFixture f;
  f.StartTool(Ob_Tip);
  f.Confirm({{Tb_Height, "20"}, {Tb_Diam, "6"}});
  f.editor.Click(Cmd_DelLast);
  EXPECT_FALSE(f.Window().IsShown(Cmd_DelLast));
  EXPECT_NE(f.Window().Focus(), Cmd_DelLast);
  EXPECT_TRUE(f.Window().IsUsable(f.Window().Focus()));
  EXPECT_EQ(f.editor.Tool().ElementCount, 0);
  EXPECT_EQ(f.editor.Tool().LineCount, 4);
  EXPECT_EQ(f.editor.Scene().SceneZ, 0);
  // Clicking the hidden button again does nothing.
  f.editor.Click(Cmd_DelLast);
  EXPECT_EQ(f.editor.Tool().LineCount, 4);
}

TEST(Editor, DeleteLastOfAPolygonMovesTheSceneBackAndEmptiesTheMesh) {
  EditorFixture f;
  f.StartTool(Ob_Polyg);
  f.editor.Click(Ob_Cone);
  f.Confirm({{Tb_Diam2, "3"}, {Tb_Height, "7"}});
  f.Confirm({{Tb_Diam2, "3"}, {Tb_Height, "2.5"}});
  EXPECT_EQ(f.editor.Scene().Mesh.FaceCount, 10);
  EXPECT_EQ(f.editor.Scene().SceneZ, -9.5);
  f.editor.Click(Cmd_DelLast);
  EXPECT_EQ(f.editor.Scene().SceneZ, -7);
  EXPECT_EQ(f.editor.Scene().Mesh.FaceCount, 0);
  EXPECT_EQ(f.editor.Tool().ElementBottomZ, -7.0F);
}

TEST(Editor, ShortWritesLoseNothing) {
  EditorFixture f;
  f.StartTool(Ob_Tip);
  f.editor.Click(Ob_Sphere);
  f.Confirm({{Tb_Diam, "3"}});
  const std::string pane = f.Window().Text(RTB_Tool);
  f.files.ShortAppends = true;
  f.editor.Click(Cmd_Export);
  ASSERT_EQ(f.messages.Boxes.size(), 1U);
  EXPECT_EQ(f.messages.Boxes[0].Text,
            "The tool was not exported: /d/usrprobe.dat: No space left on device");
  EXPECT_EQ(f.messages.Boxes[0].Title, "TARVO TOOLS CREATION");
  EXPECT_EQ(f.Window().Text(RTB_Tool), pane);  // no "endtip" left behind
  EXPECT_TRUE(f.Window().IsShown(Cmd_Export));
  f.files.ShortAppends = false;
  f.editor.Click(Cmd_Export);
  EXPECT_EQ(f.files.Read("/d/usrprobe.dat"), pane + "endtip\r\n\r\n");
  EXPECT_EQ(f.Window().Text(RTB_Tool), "");
}

TEST(Editor, AVanishedDirectoryIsReportedAndTheToolKept) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::temp_directory_path() / ("tarvo-vanish-" + std::to_string(std::random_device{}()));
  fs::create_directories(dir);
  scene::PosixFileSystem files;
  scene::NoSceneView view;
  testing::RecordedMessages messages;
  numbers::FixedLocaleQuery locale(std::string("."));
  Editor editor(dir, files, view, messages, locale);
  editor.Load();
  editor.Type(Tb_ToolName, "V");
  editor.Click(Cmd_NewTool);
  editor.Click(Cmd_Add);
  editor.Click(Ob_Sphere);
  editor.Type(Tb_Diam, "3");
  fs::remove_all(dir);
  editor.Click(Cmd_Confirm);
  ASSERT_EQ(messages.Boxes.size(), 1U);
  EXPECT_EQ(messages.Boxes[0].Text, "The preview file cannot be written: " + (dir / "Taster.wrl").string() +
                                        ": No such file or directory");
  EXPECT_EQ(editor.Tool().ElementCount, 1);  // the definition goes on
  editor.Click(Cmd_Export);
  ASSERT_EQ(messages.Boxes.size(), 2U);
  EXPECT_EQ(messages.Boxes[1].Text, "The tool was not exported: " + (dir / "usrprobe.dat").string() +
                                        ": No such file or directory");
  EXPECT_EQ(editor.Tool().LineCount, 7);
  fs::create_directories(dir);
  editor.Click(Cmd_Export);
  EXPECT_EQ(messages.Boxes.size(), 2U);
  EXPECT_TRUE(fs::exists(dir / "usrprobe.dat"));
  EXPECT_EQ(editor.Tool().LineCount, 0);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tarvo::editor
