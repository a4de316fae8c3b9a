#include "scene/scene.h"

#include <gtest/gtest.h>

#include "scene/scene_blocks.h"
#include "testing/memory_file_system.h"

namespace tarvo::scene {
namespace {

using tarvo::testing::CrLfLines;
using Lines = std::vector<std::string>;

const numbers::NumberFormat kPoint{};
const numbers::NumberFormat kComma{true};

class SceneTest : public ::testing::Test {
 protected:
  // The lines appended since the header.
  Lines Appended() const {
    const Lines all = CrLfLines(files_.Read("/d/Taster.wrl"));
    return Lines(all.begin() + static_cast<long>(CrLfLines(HeaderBlock()).size()), all.end());
  }

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

// A comma locale's field texts; the scene takes points.
TEST_F(SceneTest, CylinderThenBallThenDisk) {
  scene_.CreateWRMLFile();
  EXPECT_FALSE(scene_.AddCylinder("2,5", "1,5", kComma));
  EXPECT_EQ(scene_.SceneZ, -2.5);
  EXPECT_EQ(scene_.LastShapeHeight, 2.5);
  EXPECT_FALSE(scene_.AddSphere("3", kPoint));
  EXPECT_EQ(scene_.LastShapeHeight, 0);
  EXPECT_FALSE(scene_.AddDisk("1", "6", kPoint));
  EXPECT_EQ(scene_.SceneZ, -2.5);
  EXPECT_EQ(Appended(),
            (Lines{"#-------------------", "# CYLINDER", "#-------------------", "Transform {",
                   "translation 0 -1.25 0", "children[", "Shape {", "appearance USE Gray",
                   "geometry Cylinder {", "height 2.5", "radius 0.75", "}", "}", "]", "}", "",
                   "#-------------------", "# SPHERE", "#-------------------", "Transform{",
                   "translation 0 -2.5 0", "children[", "Shape {", "appearance USE Red",
                   "geometry Sphere {", "radius 1.5", "}", "}", "]", "}", "",
                   "#-------------------", "# DISK", "#-------------------", "Transform {",
                   "translation 0 -2.5 0", "children[", "Shape {", "appearance USE Red",
                   "geometry Cylinder {", "height 1", "radius 3", "}", "}", "]", "}", ""}));
  EXPECT_EQ(view_.Log, "navigate /d/Taster.wrl;refresh;refresh;refresh;");
}

TEST_F(SceneTest, AConeBringsItsPrototype) {
  scene_.CreateWRMLFile();
  EXPECT_FALSE(scene_.AddCone("5", "4", "2", kPoint));
  const Lines lines = Appended();
  ASSERT_EQ(lines.size(), 127U + 17U);
  EXPECT_EQ(Lines(lines.begin() + 24, lines.begin() + 28), (Lines{"crossSection [", "1 0,", "0.9962 -0.0872,", "0.9848 -0.1736,"}));
  EXPECT_EQ((Lines{lines[25 + 9], lines[25 + 18], lines[25 + 72]}), (Lines{"0.7071 -0.7071,", "0 -1,", "1 0,"}));
  EXPECT_EQ(lines[111], "url[\"javascript: function initialize(){");
  EXPECT_EQ(Lines(lines.begin() + 127, lines.end()),
            (Lines{"#-------------------", "# CONE", "#-------------------", "Transform {",
                   "translation 0 -5 0", "children[", "Shape {", "geometry TruncatedCone {",
                   "appearance USE Gray", "height 5", "topRadius 2", "bottomRadius 1", "}", "}",
                   "]", "}", ""}));
  EXPECT_EQ(scene_.SceneZ, -5);
}

TEST_F(SceneTest, APolygonBlockWritesTheWholeMeshAndEndsWithoutAnEmptyLine) {
  scene_.CreateWRMLFile();
  scene_.Mesh.BeginFace(4);
  scene_.Mesh.AddVertex(12.5F, -3.2F, -40.0F);
  scene_.Mesh.AddVertex(1.0F, 0.0F, 0.5F);
  scene_.Mesh.AddVertex(1.0F, 2.0F, 0.5F);
  scene_.Mesh.AddVertex(1.0F, 2.0F, 3.0F);
  scene_.Mesh.BeginFace(3);
  for (int i = 0; i < 3; ++i) scene_.Mesh.AddVertex(0, 0, 0);
  EXPECT_FALSE(scene_.AddPolygon(0, -10, kPoint));
  scene_.AddSphere("1", kPoint);
  const Lines lines = Appended();
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 31),
            (Lines{"#-------------------", "# POLYGON", "#-------------------", "Transform {",
                   "rotation -1 0 0 1.570796", "children[", "Shape {", "appearance USE Gray",
                   "geometry IndexedFaceSet {", "coord Coordinate {", "point [", "12.5, -3.2, -40",
                   "1, 0, 0.5", "1, 2, 0.5", "1, 2, 3", "0, 0, 0", "0, 0, 0", "0, 0, 0", "]", "}",
                   "coordIndex [", "0, 1, 2, 3, -1", "", "4, 5, 6, -1", "", "]", "}", "}", "]", "}",
                   "#-------------------"}));  // the next block follows at once
  EXPECT_EQ(scene_.SceneZ, -10);
}

TEST_F(SceneTest, FailuresLeaveTheSceneAndPositionAloneAndTheBackupSkipsAMissingFile) {
  EXPECT_FALSE(scene_.SaveSecurityCopy());
  EXPECT_FALSE(files_.Has("/d/usrprobe_old.dat"));
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
  files_.Files["/d/usrprobe.dat"] = "block\r\n";
  EXPECT_EQ(scene_.SaveSecurityCopy()->File, "/d/usrprobe_old.dat");
  files_.FailingPaths.clear();
  EXPECT_FALSE(scene_.SaveSecurityCopy());
  EXPECT_EQ(files_.Read("/d/usrprobe_old.dat"), "block\r\n");
}

}  // namespace
}  // namespace tarvo::scene
