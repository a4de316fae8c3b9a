// The tool the preview draws unseen after its first frame: no display needed.
#include "ui/preview/warm_up_tool.h"

#include <Inventor/SbViewVolume.h>
#include <Inventor/SoDB.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/VRMLnodes/SoVRMLCylinder.h>
#include <Inventor/VRMLnodes/SoVRMLExtrusion.h>
#include <Inventor/VRMLnodes/SoVRMLSphere.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoGroup.h>
#include <gtest/gtest.h>

namespace tarvo::ui {
namespace {

int Count(SoNode* root, SoType type) {
  SoSearchAction search;
  search.setType(type);
  search.setInterest(SoSearchAction::ALL);
  search.setSearchingAll(true);
  search.apply(root);
  return search.getPaths().getLength();
}

// Every kind of element the preview draws is there (a disk is a short
// cylinder), and the camera sees all of it: the renderer compiles what it
// draws.
TEST(WarmUpTool, HoldsEveryElementAndSeesItWhole) {
  SoDB::init();  // as the preview's scene does before any node
  auto* lights = new SoGroup;
  lights->ref();
  constexpr float kWidth = 467, kHeight = 592;
  const WarmUpTool tool(lights, kWidth, kHeight);
  EXPECT_EQ(Count(tool.Root(), SoVRMLCylinder::getClassTypeId()), 2);
  EXPECT_EQ(Count(tool.Root(), SoVRMLExtrusion::getClassTypeId()), 1);
  EXPECT_EQ(Count(tool.Root(), SoVRMLSphere::getClassTypeId()), 1);

  SoGetBoundingBoxAction measure{SbViewportRegion()};
  measure.apply(tool.Root());
  const SbBox3f box = measure.getBoundingBox();
  ASSERT_FALSE(box.isEmpty());
  const SoCamera* camera = tool.Camera();
  // As Coin draws it into a view taller than wide: the camera's angle then
  // spans the width (the shorter side), the height grows with it.
  SbViewVolume volume = camera->getViewVolume(kWidth / kHeight);
  volume.scale(kHeight / kWidth);
  SbVec3f view;
  camera->orientation.getValue().multVec(SbVec3f(0, 0, -1), view);
  for (int corner = 0; corner < 8; ++corner) {
    const SbVec3f point((corner & 1 ? box.getMax() : box.getMin())[0],
                        (corner & 2 ? box.getMax() : box.getMin())[1],
                        (corner & 4 ? box.getMax() : box.getMin())[2]);
    SbVec3f screen;
    volume.projectToScreen(point, screen);
    EXPECT_TRUE(screen[0] >= 0 && screen[0] <= 1 && screen[1] >= 0 && screen[1] <= 1) << corner;
    const float depth = (point - camera->position.getValue()).dot(view);
    EXPECT_TRUE(depth >= camera->nearDistance.getValue() && depth <= camera->farDistance.getValue())
        << corner;
  }
  lights->unref();
}

}  // namespace
}  // namespace tarvo::ui
