#include "ui/preview/coin_scene.h"

#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/VRMLnodes/SoVRMLBackground.h>
#include <Inventor/VRMLnodes/SoVRMLExtrusion.h>
#include <Inventor/VRMLnodes/SoVRMLGeometry.h>
#include <Inventor/VRMLnodes/SoVRMLMaterial.h>
#include <Inventor/VRMLnodes/SoVRMLScript.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/sensors/SoSensorManager.h>

#include "ui/preview/coin_messages.h"
#include "ui/preview/cone_script.h"

namespace tarvo::ui {
namespace {

// Every scene file begins so; a part read alone gets it too.
constexpr std::string_view kVrmlHeader = "#VRML V2.0";
constexpr std::string_view kHeader = "#VRML V2.0 utf8\n";
// Neighbouring faces of a cone's side meet at 5 degrees and are shaded
// smooth across; its caps meet the side at 90 degrees or so and keep their
// edge.
constexpr float kConeCreaseAngle = 0.5F;

template <typename Visit>
void ForEachNode(SoNode* node, const Visit& visit) {
  visit(node);
  if (SoChildList* children = node->getChildren()) {
    for (int i = 0; i < children->getLength(); ++i) ForEachNode((*children)[i], visit);
  }
}

// A Shape whose geometry is a cone, that is the group its prototype makes:
// Coin draws the group, but lights it as an unlit shape without material.
// The group takes the Shape's place.
void UnwrapGroupShapes(SoNode* node) {
  if (!node->isOfType(SoGroup::getClassTypeId())) return;
  auto* group = static_cast<SoGroup*>(node);
  for (int i = 0; i < group->getNumChildren(); ++i) {
    SoNode* child = group->getChild(i);
    if (!child->isOfType(SoVRMLShape::getClassTypeId())) continue;
    SoNode* geometry = static_cast<SoVRMLShape*>(child)->geometry.getValue();
    if (geometry != nullptr && !geometry->isOfType(SoVRMLGeometry::getClassTypeId())) {
      group->replaceChild(i, geometry);
    }
  }
}

// The scene's materials reflect the lamps almost white; softer highlights
// and a share of each colour that no face falls below let a tool's faces
// read apart.
void Soften(SoVRMLMaterial& material) {
  constexpr float kSpecularShare = 0.3F;
  constexpr float kAmbientIntensity = 0.4F;
  material.specularColor = material.specularColor.getValue() * kSpecularShare;
  material.ambientIntensity = kAmbientIntensity;
}

// Makes the nodes read from one part of the file ready to draw; `softened`
// holds the materials already made ready, which a part may use again.
void Prepare(SoNode* part, SbColor& sky, std::unordered_set<const SoNode*>& softened) {
  ForEachNode(part, [&sky, &softened](SoNode* node) {
    if (node->isOfType(SoVRMLScript::getClassTypeId())) {
      RunConeScript(*static_cast<SoVRMLScript*>(node));
    } else if (node->isOfType(SoVRMLExtrusion::getClassTypeId())) {
      auto* extrusion = static_cast<SoVRMLExtrusion*>(node);
      extrusion->creaseAngle.disconnect();
      extrusion->creaseAngle = kConeCreaseAngle;
    } else if (node->isOfType(SoVRMLBackground::getClassTypeId())) {
      const auto* background = static_cast<SoVRMLBackground*>(node);
      if (background->skyColor.getNum() > 0) sky = background->skyColor[0];
    } else if (node->isOfType(SoVRMLMaterial::getClassTypeId()) && softened.insert(node).second) {
      Soften(*static_cast<SoVRMLMaterial*>(node));
    }
  });
  ForEachNode(part, UnwrapGroupShapes);
}

}  // namespace

CoinScene::CoinScene() : root_((StartCoin(), new SoSeparator)) { root_->ref(); }

CoinScene::~CoinScene() { root_->unref(); }

void CoinScene::Clear() {
  root_->removeAllChildren();
  softened_.clear();
  shown_.clear();
  sky_ = kDefaultSky;
}

std::string CoinScene::Read(std::string_view text) {
  std::string problem;
  if (!shown_.empty() && text.size() > shown_.size() && text.starts_with(shown_)) {
    // A part added to the text shown starts with a node of its own.
    std::string part(kHeader);
    part += text.substr(shown_.size());
    if (Add(part, problem)) {
      shown_ = text;
      return {};
    }
    problem.clear();
  }
  Clear();
  // Coin reads nothing at all, without an error, from some files that are
  // not scenes.
  if (!text.starts_with(kVrmlHeader)) {
    return "it does not begin with " + std::string(kVrmlHeader);
  }
  if (Add(text, problem)) {
    shown_ = text;
    return {};
  }
  return problem.empty() ? std::string("it is not a VRML scene") : problem;
}

bool CoinScene::Add(std::string_view text, std::string& problem) {
  SoInput input;
  input.setBuffer(text.data(), text.size());
  // The nodes named so far, to be used again in the part.
  ForEachNode(root_, [&input](SoNode* node) {
    if (node->getName().getLength() > 0) input.addReference(node->getName(), node);
  });
  ReadErrors errors;
  SoSeparator* part = SoDB::readAll(&input);
  if (part == nullptr) {
    problem = errors.First();
    return false;
  }
  part->ref();
  const bool read = errors.First().empty();
  if (read) {
    Prepare(part, sky_, softened_);
    // A Background is drawn as a sphere and a cube around the camera, each
    // frame anew; the preview clears to its sky colour instead.
    for (int i = 0; i < part->getNumChildren(); ++i) {
      if (!part->getChild(i)->isOfType(SoVRMLBackground::getClassTypeId())) root_->addChild(part->getChild(i));
    }
  }
  problem = errors.First();
  part->unref();
  // What the reader left for later (the scripts' own evaluation, which
  // Coin cannot do) is done with.
  SoDB::getSensorManager()->processDelayQueue(TRUE);
  return read;
}

}  // namespace tarvo::ui
