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

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "numbers/number_text.h"
#include "scene/scene_blocks.h"
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
// holds the materials already made ready, which a part may use again, and
// gets those made ready here, as does `added`.
void Prepare(SoNode* part, SbColor& sky, std::unordered_set<const SoNode*>& softened,
             std::vector<const SoNode*>& added) {
  ForEachNode(part, [&sky, &softened, &added](SoNode* node) {
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
      added.push_back(node);
    }
  });
  ForEachNode(part, UnwrapGroupShapes);
}

// A reason from a block read alone after the header line of its own ("...
// (line N)"), with the line of the file: `shift` more.
std::string LineOfFile(const std::string& reason, int shift) {
  constexpr std::string_view kLine = " (line ";
  const std::size_t at = reason.rfind(kLine);
  if (at == std::string::npos || !reason.ends_with(')')) return reason;
  const std::size_t digits = at + kLine.size();
  int line = 0;
  const auto [end, error] = std::from_chars(reason.data() + digits, reason.data() + reason.size() - 1, line);
  if (error != std::errc() || end != reason.data() + reason.size() - 1) return reason;
  return reason.substr(0, digits) + numbers::IntegerText(line + shift) + ")";
}

}  // namespace

CoinScene::CoinScene() : root_((StartCoin(), new SoSeparator)) { root_->ref(); }

CoinScene::~CoinScene() {
  Clear();
  root_->unref();
}

void CoinScene::Release(Block& block) {
  for (SoNode* node : block.Nodes) node->unref();
  block.Nodes.clear();
}

void CoinScene::Clear() {
  root_->removeAllChildren();
  for (Block& block : blocks_) Release(block);
  blocks_.clear();
  sky_ = kDefaultSky;
}

std::string CoinScene::Read(std::string_view text) {
  // Coin reads nothing at all, without an error, from some files that are
  // not scenes.
  if (!text.starts_with(kVrmlHeader)) {
    Clear();
    return "it does not begin with " + std::string(kVrmlHeader);
  }
  const std::vector<std::string_view> texts = scene::SceneBlocks(text);
  // The blocks shown, by their text; each is used once. They name the
  // header's nodes: none is used again once the header is read anew.
  std::unordered_multimap<std::string_view, std::size_t> shown;
  if (!blocks_.empty() && !texts.empty() && blocks_.front().Text == texts.front()) {
    for (std::size_t i = 0; i < blocks_.size(); ++i) shown.emplace(blocks_[i].Text, i);
  }
  std::vector<bool> taken(blocks_.size());
  std::vector<Block> blocks;
  blocks.reserve(texts.size());
  Names names;
  std::unordered_set<const SoNode*> softened;
  std::string problem;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    std::size_t found = blocks_.size();
    if (i < blocks_.size() && !taken[i] && shown.count(texts[i]) > 0 && blocks_[i].Text == texts[i]) {
      found = i;  // where it stood
    } else {
      const auto [first, last] = shown.equal_range(texts[i]);
      for (auto at = first; at != last && found == blocks_.size(); ++at) {
        if (!taken[at->second]) found = at->second;
      }
    }
    if (found < blocks_.size()) {
      taken[found] = true;
      blocks.push_back(std::move(blocks_[found]));
    } else {
      Block block;
      if (!ReadBlock(texts[i], i == 0, names, softened, block, problem)) break;
      blocks.push_back(std::move(block));
    }
    names.insert(names.end(), blocks.back().Names.begin(), blocks.back().Names.end());
    softened.insert(blocks.back().Materials.begin(), blocks.back().Materials.end());
  }
  if (blocks.size() == texts.size()) {
    Show(std::move(blocks));
    return {};
  }
  // Nothing is shown; the reason names the line of the file. (The file is
  // not read again whole: Coin reports some errors once a process only.)
  for (Block& block : blocks) Release(block);
  Clear();
  if (problem.empty()) return "it is not a VRML scene";
  const std::size_t start = static_cast<std::size_t>(texts[blocks.size()].data() - text.data());
  const auto before = std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(start), '\n');
  return blocks.empty() ? problem : LineOfFile(problem, static_cast<int>(before) - 1);
}

void CoinScene::Show(std::vector<Block> blocks) {
  std::vector<SoNode*> nodes;
  for (const Block& block : blocks) nodes.insert(nodes.end(), block.Nodes.begin(), block.Nodes.end());
  // The nodes that stay where they were are left as they are.
  int same = 0;
  while (same < root_->getNumChildren() && same < static_cast<int>(nodes.size()) &&
         root_->getChild(same) == nodes[static_cast<std::size_t>(same)]) {
    ++same;
  }
  for (int i = root_->getNumChildren() - 1; i >= same; --i) root_->removeChild(i);
  for (std::size_t i = static_cast<std::size_t>(same); i < nodes.size(); ++i) root_->addChild(nodes[i]);
  for (Block& block : blocks_) Release(block);  // those not taken over
  blocks_ = std::move(blocks);
}

bool CoinScene::ReadBlock(std::string_view text, bool whole, const Names& names,
                          std::unordered_set<const SoNode*>& softened, Block& block, std::string& problem) {
  // A block read alone starts with the header of its own.
  std::string part;
  if (!whole) {
    part = kHeader;
    part += text;
    text = part;
  }
  SoInput input;
  input.setBuffer(text.data(), text.size());
  for (const auto& [name, node] : names) input.addReference(name, node);
  ReadErrors errors;
  SoSeparator* read = SoDB::readAll(&input);
  if (read == nullptr) {
    problem = errors.First();
    return false;
  }
  read->ref();
  const bool ok = errors.First().empty();
  if (ok) {
    block.Text = whole ? std::string(text) : std::string(text.substr(kHeader.size()));
    Prepare(read, sky_, softened, block.Materials);
    // A Background is drawn as a sphere and a cube around the camera, each
    // frame anew; the preview clears to its sky colour instead.
    for (int i = 0; i < read->getNumChildren(); ++i) {
      SoNode* node = read->getChild(i);
      if (node->isOfType(SoVRMLBackground::getClassTypeId())) continue;
      node->ref();
      block.Nodes.push_back(node);
      ForEachNode(node, [&block](SoNode* named) {
        if (named->getName().getLength() > 0) block.Names.emplace_back(named->getName(), named);
      });
    }
  }
  problem = errors.First();
  read->unref();
  // What the reader left for later (the scripts' own evaluation, which
  // Coin cannot do) is done with.
  SoDB::getSensorManager()->processDelayQueue(TRUE);
  return ok;
}

}  // namespace tarvo::ui
