#include "editor/editor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "editor_testing.h"

namespace tarvo::editor {
namespace {

using enum ControlId;
using testing::EditorFixture;

TEST(Editor, StartUpShowsStepOneOnlyAndTypeAndPickReachOnlyUsableBoxesAndRealItems) {
  EditorFixture f;
  std::vector<std::string> shown;
  for (const ControlRow& control : kControls) {
    if (f.Window().IsShown(control.Id) && control.Kind != ControlKind::Window) shown.emplace_back(control.Name);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"Frame_NewTool", "Lbl_ToolName", "Tb_ToolName", "Label1",
                                             "Cb_Extension", "Cmd_NewTool", "Shape1", "RTB_Tool",
                                             "TasterView", "Cmd_Exit"}));
  f.editor.Type(Tb_Diam, "5");       // hidden
  f.editor.Type(Lbl_ToolName, "5");  // a label
  f.editor.Pick(Cb_Extension, 5);    // past the end of the list
  f.editor.Pick(Tb_ToolName, 0);     // no list
  EXPECT_EQ(f.Window().Text(Tb_Diam), "");
  EXPECT_EQ(f.Window().Text(Lbl_ToolName), "Tool Name");
  EXPECT_EQ(f.Window().Text(Cb_Extension), "TARVO1");
  EXPECT_EQ(f.Window().Focus(), Cmd_NewTool);
  f.editor.Pick(Cb_Extension, 4);
  EXPECT_EQ(f.Window().Text(Cb_Extension), " M5");
}

TEST(Editor, AddElementRunsTheCylinderActionEvenWhenItWasSelected) {
  EditorFixture f;
  f.StartTool(Ob_Extend);
  f.Confirm({{Tb_Height, "1"}, {Tb_Diam, "1"}});
  f.editor.Click(Cmd_Export);
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
  f.Confirm({{Cb_Edges, "2"}, {Tb_Diam2, "3"}, {Tb_Height, "1"}});
  EXPECT_EQ(f.messages.Boxes.at(0).Text, "Please insert a WHOLE number (>=3) for the NR. OF EDGES");
  EXPECT_EQ(f.Window().Focus(), Cb_Edges);
  EXPECT_EQ(f.editor.Tool().ElementCount, 0);
  f.editor.Click(Ob_Cylinder);
  EXPECT_TRUE(f.Window().IsShown(Tb_Diam));
  EXPECT_FALSE(f.Window().IsShown(Cb_Edges));
  f.Confirm({{Tb_Height, "1"}, {Tb_Diam, "1"}});
  f.editor.Click(Cmd_DelAll);
  EXPECT_EQ(f.Window().Text(Ob_Cone), "POLYGON");  // kept until the next ADD ELEMENT
  f.StartTool(Ob_Tip);
  EXPECT_EQ(f.Window().Text(Ob_Cone), "CONE");
  EXPECT_EQ(f.Window().Text(Ob_Sphere), "SPHERE OR DISK");
}

TEST(Editor, DiskAndBallFieldsThenAFailedConfirmPutsTheCaretFirst) {
  EditorFixture f;
  f.StartTool(Ob_Tip);
  f.editor.Click(Ob_Sphere);
  f.editor.Click(Cb_Disk);
  EXPECT_TRUE(f.Window().IsShown(Tb_Height));
  EXPECT_TRUE(f.Window().IsShown(Lbl_Height));
  f.editor.Type(Tb_Height, "5");
  f.editor.Click(Ob_Sphere);
  EXPECT_FALSE(f.Window().IsSelected(Cb_Disk));
  EXPECT_FALSE(f.Window().IsShown(Tb_Height));
  EXPECT_FALSE(f.Window().IsShown(Lbl_Height));
  EXPECT_EQ(f.Window().Text(Lbl_ElemType), "SPHERE");
  EXPECT_EQ(f.Window().Text(Tb_Height), "0");
  EXPECT_EQ(f.Window().Focus(), Tb_Diam);
  EXPECT_EQ(f.Window().State(Tb_Diam).SelectionLength, 1);  // its "0" is selected
  // A failed CONFIRM rewrites the fields with the caret at the start.
  f.editor.Click(Ob_Cylinder);
  f.Confirm({{Tb_Height, "05"}, {Tb_Diam, "x1"}});
  EXPECT_EQ(f.messages.Boxes.at(0).Text, "Please insert a POSITIVE (>0) number for the DIAMETER");
  const ControlState& height = f.Window().State(Tb_Height);
  EXPECT_EQ(height.Text, "5");
  EXPECT_EQ(std::pair(height.SelectionStart, height.SelectionLength), std::pair(0, 0));
  EXPECT_EQ(f.Window().Focus(), Tb_Diam);
  EXPECT_EQ(f.Window().State(Tb_Diam).SelectionLength, 1);
  // The focus coming back to the focused box leaves the caret where typing put it.
  f.editor.Type(Tb_Diam, "12");
  f.editor.FocusByUser(Tb_Diam);
  const ControlState& diam = f.Window().State(Tb_Diam);
  EXPECT_EQ(std::pair(diam.SelectionStart, diam.SelectionLength), std::pair(2, 0));
}

TEST(Editor, DeleteLastHidesItselfMovesTheSceneBackAndEmptiesThePolygonMesh) {
  EditorFixture f;
  f.StartTool(Ob_Polyg);
  f.editor.Click(Ob_Cone);
  f.Confirm({{Tb_Diam2, "3"}, {Tb_Height, "7"}});
  EXPECT_EQ(f.Window().Focus(), Tb_Diam2);  // with its "0" selected: a typed 4 is 4, not 40
  EXPECT_EQ(f.Window().State(Tb_Diam2).SelectionLength, 1);
  f.Confirm({{Tb_Diam2, "3"}, {Tb_Height, "2.5"}});
  EXPECT_EQ(f.editor.Scene().Mesh.FaceCount, 10);
  EXPECT_EQ(f.editor.Scene().SceneZ, -9.5);
  f.editor.Click(Cmd_DelLast);
  EXPECT_FALSE(f.Window().IsShown(Cmd_DelLast));
  EXPECT_TRUE(f.Window().IsUsable(f.Window().Focus()));
  EXPECT_EQ(f.editor.Scene().SceneZ, -7);
  EXPECT_EQ(f.editor.Scene().Mesh.FaceCount, 0);
  EXPECT_EQ(f.editor.Tool().ElementBottomZ, -7.0F);
  // The next polygon's block shows the new mesh alone, however many faces it has.
  f.Confirm({{Cb_Edges, "30"}, {Tb_Diam2, "3"}, {Tb_Height, "1"}});
  const std::string& scene = f.files.Read("/d/Taster.wrl");
  const std::string points = scene.substr(scene.rfind("point [\r\n") + 9);
  EXPECT_EQ(std::count(points.begin(), points.begin() + static_cast<long>(points.find(']')), '\n'),
            f.editor.Scene().Mesh.VertexCount);
}

TEST(Editor, OneMessagePerCommandHoweverManyFileOperationsFail) {
  EditorFixture f;
  f.StartTool(Ob_Tip);
  f.files.FailingPaths = {"/d/Taster_Old.wrl", "/d/Taster.wrl"};
  f.Confirm({{Tb_Height, "20"}, {Tb_Diam, "6"}});
  ASSERT_EQ(f.messages.Boxes.size(), 1U);
  EXPECT_EQ(f.messages.Boxes[0].Text, "The preview file cannot be written: /d/Taster_Old.wrl: Is a directory");
  EXPECT_EQ(f.editor.FileFailures(), 2);  // the backup and the shape
  EXPECT_EQ(f.editor.Tool().ElementCount, 1);  // the definition goes on
  f.editor.Click(Cmd_DelAll);
  EXPECT_EQ(f.messages.Boxes.size(), 2U);
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
  EXPECT_EQ(f.messages.Boxes[0].Text, "The tool was not exported: /d/usrprobe.dat: No space left on device");
  EXPECT_EQ(f.messages.Boxes[0].Title, "TARVO TOOLS CREATION");
  EXPECT_EQ(f.Window().Text(RTB_Tool), pane);  // no "endtip" left behind
  f.files.ShortAppends = false;
  f.editor.Click(Cmd_Export);
  EXPECT_EQ(f.files.Read("/d/usrprobe.dat"), pane + "endtip\r\n\r\n");
  EXPECT_EQ(f.Window().Text(RTB_Tool), "");
}

}  // namespace
}  // namespace tarvo::editor
