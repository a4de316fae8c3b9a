#include "scene/scene.h"

#include <gtest/gtest.h>

#include "scene/scene_blocks.h"
#include "testing/memory_file_system.h"
#include "testing/temp_folder.h"

namespace tarvo::scene {
namespace {

const numbers::NumberFormat kPoint{};
const numbers::NumberFormat kComma{true};

class SceneTest : public ::testing::Test {
 protected:
  tarvo::testing::MemoryFileSystem files_;
  tarvo::testing::RecordingSceneView view_;
  Scene scene_{"/d", files_, view_};
};

TEST_F(SceneTest, CreatingAgainBacksUpTheDiscardedScene) {
  EXPECT_FALSE(scene_.CreateWRMLFile());
  EXPECT_FALSE(files_.Has("/d/Taster_Old.wrl"));  // nothing to back up on a first start
  scene_.AddSphere("3", kPoint);
  const std::string discarded = files_.Read("/d/Taster.wrl");
  EXPECT_FALSE(scene_.CreateWRMLFile());
  EXPECT_EQ(files_.Read("/d/Taster_Old.wrl"), discarded);
  EXPECT_EQ(files_.Read("/d/Taster.wrl"), HeaderBlock());
  EXPECT_EQ(view_.Log, "navigate /d/Taster.wrl;refresh;navigate /d/Taster.wrl;");
}

// Byte for byte the scene that the preview's cone test reads: cylinders, cones (each after
// the cone prototype) and a ball, one below the other; a field text of a comma locale.
TEST_F(SceneTest, ATipWithTwoConesIsTheSceneThePreviewTestReads) {
  scene_.CreateWRMLFile();
  EXPECT_FALSE(scene_.AddCylinder("10", "8", kPoint));
  EXPECT_FALSE(scene_.AddCone("10", "8", "4", kPoint));
  EXPECT_FALSE(scene_.AddCylinder("15", "4", kPoint));
  EXPECT_FALSE(scene_.AddCone("5", "4", "1,5", kComma));
  EXPECT_FALSE(scene_.AddSphere("1.5", kPoint));
  EXPECT_EQ(files_.Read("/d/Taster.wrl"),
            tarvo::testing::ReadFile(TARVO_SOURCE_DIR "/tests/ui/preview/scenes/two_cones.wrl"));
  EXPECT_EQ(view_.Log, "navigate /d/Taster.wrl;refresh;refresh;refresh;refresh;refresh;");
}

// A disk sits where the element above ends, and leaves the position there.
TEST_F(SceneTest, ADiskKeepsThePosition) {
  scene_.CreateWRMLFile();
  scene_.AddCylinder("2,5", "1,5", kComma);
  EXPECT_FALSE(scene_.AddDisk("1", "6", kPoint));
  EXPECT_EQ(scene_.SceneZ, -2.5);
  EXPECT_EQ(scene_.LastShapeHeight, 0);
  EXPECT_TRUE(files_.Read("/d/Taster.wrl")
                  .ends_with("\r\n\r\n#-------------------\r\n# DISK\r\n#-------------------\r\n"
                             "Transform {\r\ntranslation 0 -2.5 0\r\nchildren[\r\nShape {\r\n"
                             "appearance USE Red\r\ngeometry Cylinder {\r\nheight 1\r\nradius 3\r\n"
                             "}\r\n}\r\n]\r\n}\r\n\r\n"))
      << files_.Read("/d/Taster.wrl");
}

TEST_F(SceneTest, FailuresLeaveTheSceneAndPositionAlone) {
  scene_.CreateWRMLFile();
  scene_.AddCylinder("20", "6", kPoint);
  const std::string scene = files_.Read("/d/Taster.wrl");
  EXPECT_TRUE(scene_.LoadOldFile());  // no backup exists yet
  EXPECT_EQ(files_.Read("/d/Taster.wrl"), scene);
  files_.FailingPaths = {"/d/Taster.wrl", "/d/usrprobe_old.dat"};
  const SceneResult failure = scene_.AddCylinder("20", "6", kPoint);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->File, "/d/Taster.wrl");
  EXPECT_EQ(failure->Reason, "Is a directory");
  EXPECT_EQ(scene_.SceneZ, -20);
  EXPECT_EQ(scene_.LastShapeHeight, 20);
}

}  // namespace
}  // namespace tarvo::scene

namespace tarvo::scene {
namespace {

// A scene of every kind of element cut into its blocks: each element's block
// as written (a cone with its prototype), the header's three sections, and
// nothing lost or added; a text without rules is one block.
TEST(SceneBlocksTest, CutsTheSceneBeforeEachElement) {
  PreviewMesh mesh;
  mesh.BeginFace(3);
  for (float x : {0.0F, 1.0F, 0.0F}) mesh.AddVertex(x, x / 2, 1);
  PolygonTexts polygon;
  polygon.Update(mesh);
  const std::string cone = ConePrototypeBlock(3.1415927F) + ConeBlock("-12.5", "5", "3", "1.25");
  const std::vector<std::string> elements = {CylinderBlock("-5", "10", "3"), cone, cone,
                                             SphereBlock("-15", "1.5"), DiskBlock("-15", "1", "4"),
                                             polygon.Block(3.1415927F)};
  std::string text = HeaderBlock();
  for (const std::string& element : elements) text += element;
  const std::vector<std::string_view> blocks = SceneBlocks(text);
  ASSERT_EQ(blocks.size(), 3 + elements.size());
  std::string joined;
  for (std::string_view block : blocks) joined += block;
  EXPECT_EQ(joined, text);
  EXPECT_TRUE(blocks[0].starts_with("#VRML V2.0 utf8\r\n\r\n#-------------------\r\n# Background Color"));
  EXPECT_NE(blocks[1].find("GRAY"), std::string_view::npos);
  for (std::size_t i = 0; i < elements.size(); ++i) EXPECT_EQ(blocks[3 + i], elements[i]) << i;

  EXPECT_EQ(SceneBlocks("#VRML V2.0 utf8\r\nShape {}\r\n"), std::vector<std::string_view>{"#VRML V2.0 utf8\r\nShape {}\r\n"});
  EXPECT_TRUE(SceneBlocks("").empty());
}

}  // namespace
}  // namespace tarvo::scene
