#include "ui/preview/drawn_faces.h"

#include <Inventor/nodes/SoComplexity.h>
#include <Inventor/nodes/SoPolygonOffset.h>
#include <Inventor/nodes/SoScale.h>
#include <Inventor/nodes/SoSeparator.h>

namespace tarvo::ui {
namespace {

// 40 sides to a circle.
constexpr float kComplexity = 1;

}  // namespace

SoSeparator* DrawnFaces(SoScale* scale, SoNode* scene) {
  auto* faces = new SoSeparator;
  auto* complexity = new SoComplexity;
  complexity->type = SoComplexity::OBJECT_SPACE;
  complexity->value = kComplexity;
  faces->addChild(complexity);
  faces->addChild(scale);
  auto* behind = new SoPolygonOffset;
  behind->styles = SoPolygonOffset::FILLED;
  faces->addChild(behind);
  faces->addChild(scene);
  return faces;
}

}  // namespace tarvo::ui
