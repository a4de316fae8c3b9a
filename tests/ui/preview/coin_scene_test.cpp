// The scene file as Coin reads it for the preview: no display needed.
#include "ui/preview/coin_scene.h"

#include <Inventor/SbViewportRegion.h>
#include <Inventor/VRMLnodes/SoVRMLExtrusion.h>
#include <Inventor/VRMLnodes/SoVRMLScript.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/fields/SoMFVec3f.h>
#include <Inventor/misc/SoChildList.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "testing/temp_folder.h"
#include "ui/preview/cone_script.h"

namespace tarvo::ui {
namespace {

const std::string kTwoCones =
    testing::ReadFile(TARVO_SOURCE_DIR "/tests/ui/preview/scenes/two_cones.wrl");

void ForEach(SoNode* node, const std::function<void(SoNode*)>& visit) {
  visit(node);
  if (SoChildList* children = node->getChildren())
    for (int i = 0; i < children->getLength(); ++i) ForEach((*children)[i], visit);
}

template <typename Node>
std::vector<Node*> All(SoNode* root) {
  std::vector<Node*> found;
  ForEach(root, [&](SoNode* n) {
    if (n->isOfType(Node::getClassTypeId())) found.push_back(static_cast<Node*>(n));
  });
  return found;
}

SbBox3f Bounds(const CoinScene& scene) {
  SoGetBoundingBoxAction bounds(SbViewportRegion(100, 100));
  bounds.apply(scene.Root());
  return bounds.getBoundingBox();
}

// The two cones get their spine and scale from the script; read in two parts (the
// second only added), the scene is the one read whole; a Shape holds no cone's group.
TEST(CoinSceneTest, RunsTheConeScriptsAndReadsWhatWasAdded) {
  const std::size_t secondCone = kTwoCones.rfind("#-------------------\r\n# CYLINDER");
  ASSERT_NE(secondCone, std::string::npos);
  CoinScene whole, parts;
  ASSERT_EQ(whole.Read(kTwoCones), "");
  ASSERT_EQ(parts.Read(kTwoCones.substr(0, secondCone)), "");
  SoVRMLExtrusion* firstCone = All<SoVRMLExtrusion>(parts.Root()).at(0);
  ASSERT_EQ(parts.Read(kTwoCones), "");
  EXPECT_EQ(All<SoVRMLExtrusion>(parts.Root()).at(0), firstCone);  // only the rest was read
  for (const CoinScene* scene : {&whole, &parts}) {
    const std::vector<SoVRMLExtrusion*> cones = All<SoVRMLExtrusion>(scene->Root());
    ASSERT_EQ(cones.size(), 2U);
    const float expected[2][3] = {{10, 2, 4}, {5, 0.75F, 2}};  // height, bottom and top radius
    for (int i = 0; i < 2; ++i) {
      const auto [height, bottom, top] = expected[i];
      ASSERT_EQ(cones[i]->spine.getNum(), 2);
      EXPECT_EQ(cones[i]->spine[0], SbVec3f(0, 0, 0));
      EXPECT_EQ(cones[i]->spine[1], SbVec3f(0, height, 0));
      EXPECT_EQ(cones[i]->scale[0], SbVec2f(bottom, bottom));
      EXPECT_EQ(cones[i]->scale[1], SbVec2f(top, top));
    }
    for (SoVRMLShape* shape : All<SoVRMLShape>(scene->Root()))
      EXPECT_TRUE(shape->geometry.getValue() == nullptr ||
                  shape->geometry.getValue()->isOfType(SoVRMLGeometry::getClassTypeId()));
    EXPECT_EQ(Bounds(*scene).getMin(), SbVec3f(-4, -40.75F, -4));
    EXPECT_EQ(Bounds(*scene).getMax(), SbVec3f(4, 0, 4));
    EXPECT_EQ(scene->Sky(), SbColor(1, 1, 0.725F));
  }
}

// A scene Coin cannot read shows nothing and says why; the next good one shows again.
TEST(CoinSceneTest, SaysWhyADamagedSceneCannotBeShown) {
  const std::string cut = kTwoCones.substr(0, kTwoCones.find("# CONE") + 40);
  const struct {
    std::string Text, Problem;
  } rows[] = {
      {cut, "Expected '{'; got EOF (line 180)"},
      {kTwoCones + "Transform { children [ Shape {", "Expected '}'; got EOF for Shape (line 369)"},
      {std::string(300, '\x01'), "it does not begin with #VRML V2.0"},
      {"", "it does not begin with #VRML V2.0"},
      {"#VRML V2.0 utf8\nFoo { }\n", "Node type ``Foo'' not recognized (line 2)"},
  };
  CoinScene scene;
  for (const auto& [text, problem] : rows) {
    ASSERT_EQ(scene.Read(kTwoCones), "");
    EXPECT_TRUE(scene.Read(text).starts_with(problem)) << scene.Read(text);
    EXPECT_EQ(scene.Root()->getNumChildren(), 0);
    EXPECT_EQ(scene.Sky(), CoinScene::kDefaultSky);
  }
}

// Undo, redo and a change read only the blocks not shown already: the others
// keep their nodes, wherever they now stand, and each scene is the one a
// fresh read makes of the same text.
TEST(CoinSceneTest, KeepsTheNodesOfTheBlocksShownAlready) {
  const std::size_t firstCylinder = kTwoCones.find("radius 4\r\n");
  ASSERT_NE(firstCylinder, std::string::npos);
  std::string changed = kTwoCones;
  changed.replace(firstCylinder, 8, "radius 5");
  const std::string& wider = changed;
  const std::string withoutLast = kTwoCones.substr(0, kTwoCones.rfind("#-------------------\r\n# SPHERE"));
  CoinScene scene;
  ASSERT_EQ(scene.Read(kTwoCones), "");
  const std::vector<SoVRMLExtrusion*> cones = All<SoVRMLExtrusion>(scene.Root());
  for (const std::string* text : {&withoutLast, &kTwoCones, &wider, &kTwoCones}) {
    ASSERT_EQ(scene.Read(*text), "");
    CoinScene fresh;
    ASSERT_EQ(fresh.Read(*text), "");
    EXPECT_EQ(scene.Root()->getNumChildren(), fresh.Root()->getNumChildren());
    EXPECT_EQ(Bounds(scene).getMin(), Bounds(fresh).getMin());
    EXPECT_EQ(Bounds(scene).getMax(), Bounds(fresh).getMax());
    EXPECT_EQ(All<SoVRMLExtrusion>(scene.Root()), cones);
  }
}

TEST(CoinSceneTest, RunsNoOtherScript) {
  CoinScene scene;
  ASSERT_EQ(scene.Read("#VRML V2.0 utf8\nDEF S Script {\neventOut MFVec3f spine_changed\n"
                       "url \"javascript: function initialize(){ spine_changed[0]=0; }\"\n}\n"),
            "");
  const std::vector<SoVRMLScript*> scripts = All<SoVRMLScript>(scene.Root());
  ASSERT_EQ(scripts.size(), 1U);
  EXPECT_FALSE(RunConeScript(*scripts[0]));
  EXPECT_EQ(static_cast<SoMFVec3f*>(scripts[0]->getField("spine_changed"))->getNum(), 0);
}

}  // namespace
}  // namespace tarvo::ui
