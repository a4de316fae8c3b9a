#include "ui/preview/warm_up_tool.h"

#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoScale.h>
#include <Inventor/nodes/SoSeparator.h>

#include <numbers>
#include <string>

#include "scene/scene_blocks.h"
#include "ui/preview/camera_views.h"
#include "ui/preview/drawn_faces.h"

namespace tarvo::ui {
namespace {

// The tool's scene file, as the editor writes one: numbers are scene texts.
std::string SampleScene() {
  return scene::HeaderBlock() + scene::CylinderBlock("-5", "10", "3") +
         scene::ConePrototypeBlock(std::numbers::pi_v<float>) + scene::ConeBlock("-14", "4", "3", "1.5") +
         scene::DiskBlock("-15", "1", "2") + scene::SphereBlock("-17", "1.5");
}

}  // namespace

WarmUpTool::WarmUpTool(SoNode* lights, float width, float height)
    : root_(new SoSeparator), camera_(new SoPerspectiveCamera) {
  root_->ref();
  scene_.Read(SampleScene());
  SoSeparator* faces = DrawnFaces(new SoScale, scene_.Root());
  root_->addChild(camera_);
  root_->addChild(lights);
  root_->addChild(faces);
  root_->addChild(edges_.Node());

  SoGetBoundingBoxAction measure{SbViewportRegion()};
  measure.apply(faces);
  const SbBox3f bounds = measure.getBoundingBox();
  const CameraPlacement placement = Fitting(bounds, *ViewDirection("reset"), width, height, false);
  camera_->position = placement.Position;
  camera_->orientation = placement.Orientation;
  camera_->heightAngle = placement.Span;
  camera_->focalDistance = placement.FocalDistance();
  const DepthRange depths = DepthsOf(placement, bounds);
  camera_->nearDistance = depths.Near;
  camera_->farDistance = depths.Far;
  edges_.Collect(faces);
  edges_.Show(placement);
}

WarmUpTool::~WarmUpTool() { root_->unref(); }

SoNode* WarmUpTool::Root() const { return root_; }

SoCamera* WarmUpTool::Camera() const { return camera_; }

}  // namespace tarvo::ui
