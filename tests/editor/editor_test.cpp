#include "editor/editor.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "editor_testing.h"

namespace tarvo::editor {
namespace {

using enum ControlId;
using testing::EditorFixture;

// After DELETE LAST the next polygon's scene block shows the new mesh alone,
// however many faces the removed one had.
TEST(Editor, APolygonAfterDeleteLastWritesItsOwnMesh) {
  EditorFixture f;
  f.StartTool(Ob_Polyg);
  f.editor.Click(Ob_Cone);
  f.Confirm({{Tb_Diam2, "3"}, {Tb_Height, "7"}});
  f.Confirm({{Tb_Diam2, "3"}, {Tb_Height, "2.5"}});
  f.editor.Click(Cmd_DelLast);
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
  EXPECT_EQ(f.Window().Text(RTB_Tool), pane);  // no "endtip" left behind
  f.files.ShortAppends = false;
  f.editor.Click(Cmd_Export);
  EXPECT_EQ(f.files.Read("/d/usrprobe.dat"), pane + "endtip\r\n\r\n");
  EXPECT_EQ(f.Window().Text(RTB_Tool), "");
}

// A scene file damaged by another program (`echo junk > Taster.wrl`), or its
// backup, is written whole again by the next change, as a fresh build writes it.
TEST(Editor, ADamagedSceneIsWrittenWholeAtTheNextChange) {
  const auto build = [](EditorFixture& f, const char* damaged) {
    f.StartTool(Ob_Tip);
    f.Confirm({{Tb_Height, "20"}, {Tb_Diam, "6"}});
    if (damaged != nullptr) f.files.Files[damaged] = "junk\n";
    f.editor.Click(Ob_Cone);
    f.Confirm({{Tb_Height, "5"}, {Tb_Diam, "6"}, {Tb_Diam2, "3"}});
  };
  EditorFixture fresh;
  build(fresh, nullptr);
  for (const char* damaged : {"/d/Taster.wrl", "/d/Taster_Old.wrl"}) {
    EditorFixture f;
    build(f, damaged);
    EXPECT_EQ(f.files.Read("/d/Taster.wrl"), fresh.files.Read("/d/Taster.wrl")) << damaged;
    EXPECT_EQ(f.files.Read("/d/Taster_Old.wrl"), fresh.files.Read("/d/Taster_Old.wrl")) << damaged;
    f.files.Files[damaged] = "junk\n";
    f.editor.Click(Cmd_DelLast);
    fresh.editor.Click(Cmd_DelLast);
    EXPECT_EQ(f.files.Read("/d/Taster.wrl"), fresh.files.Read("/d/Taster.wrl")) << damaged;
    fresh.Confirm({{Tb_Height, "5"}, {Tb_Diam, "6"}, {Tb_Diam2, "3"}});
  }
  EXPECT_TRUE(fresh.messages.Boxes.empty());
}

}  // namespace
}  // namespace tarvo::editor
