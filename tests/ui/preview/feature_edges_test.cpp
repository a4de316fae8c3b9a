// The feature edges of a scene read from its file: no display needed.
#include "ui/preview/feature_edges.h"

#include <Inventor/SoPath.h>
#include <Inventor/VRMLnodes/SoVRMLCylinder.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoIndexedLineSet.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <vector>

#include "testing/temp_folder.h"
#include "ui/preview/coin_scene.h"

namespace tarvo::ui {
namespace {

// The lines shown, each as its two ends.
std::vector<SbVec3f> Lines(const FeatureEdges& edges) {
  const SoSeparator* node = edges.Node();
  const auto* points = static_cast<const SoCoordinate3*>(node->getChild(node->getNumChildren() - 2));
  const auto* lines = static_cast<const SoIndexedLineSet*>(node->getChild(node->getNumChildren() - 1));
  std::vector<SbVec3f> ends;
  for (int i = 0; i < lines->coordIndex.getNum(); ++i) {
    if (lines->coordIndex[i] >= 0) ends.push_back(points->point[lines->coordIndex[i]]);
  }
  return ends;
}

// Collected again, the edges of the elements kept are those collected anew:
// after nothing changed, after an element's field changed in place, after
// the file changed and only its new blocks were read.
TEST(FeatureEdgesTest, KeptElementsGiveTheEdgesFoundAnew) {
  const std::string twoCones = testing::ReadFile(TARVO_SOURCE_DIR "/tests/ui/preview/scenes/two_cones.wrl");
  std::string wider = twoCones;
  wider.replace(wider.find("radius 2\r\n"), 8, "radius 3");
  CoinScene scene;
  FeatureEdges kept;
  CameraPlacement camera;
  camera.Position = SbVec3f(0, -20, 100);  // before the tool, looking along -z
  const auto same = [&] {
    kept.Collect(scene.Root());
    kept.Show(camera);
    FeatureEdges fresh;
    fresh.Collect(scene.Root());
    fresh.Show(camera);
    EXPECT_FALSE(Lines(fresh).empty());
    EXPECT_EQ(Lines(kept), Lines(fresh));
  };
  ASSERT_EQ(scene.Read(twoCones), "");
  same();
  same();
  // The first cylinder, as a Shape's geometry.
  SoSearchAction search;
  search.setType(SoVRMLCylinder::getClassTypeId());
  search.apply(scene.Root());
  ASSERT_NE(search.getPath(), nullptr);
  auto* shape = static_cast<SoVRMLShape*>(search.getPath()->getTail());
  ASSERT_TRUE(shape->isOfType(SoVRMLShape::getClassTypeId()));
  static_cast<SoVRMLCylinder*>(shape->geometry.getValue())->radius = 5;
  same();
  ASSERT_EQ(scene.Read(wider), "");
  same();
}

}  // namespace
}  // namespace tarvo::ui
