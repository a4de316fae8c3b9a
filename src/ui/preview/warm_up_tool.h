#pragma once

#include "ui/preview/coin_scene.h"
#include "ui/preview/feature_edges.h"

class SoCamera;
class SoNode;
class SoPerspectiveCamera;
class SoSeparator;

namespace tarvo::ui {

// A small tool of each element the preview draws (a cylinder, a cone, a
// ball, a disk), with its edges, lit by `lights` and seen by a camera of its
// own in a view of `width` x `height` pixels. Drawn once and never shown: a
// software renderer compiles the code for lit faces and lines when it first
// draws them (some 20 ms), and would otherwise do so in the first CONFIRM.
class WarmUpTool {
 public:
  WarmUpTool(SoNode* lights, float width, float height);
  ~WarmUpTool();
  WarmUpTool(const WarmUpTool&) = delete;
  WarmUpTool& operator=(const WarmUpTool&) = delete;

  SoNode* Root() const;
  SoCamera* Camera() const;

 private:
  CoinScene scene_;
  FeatureEdges edges_;
  SoSeparator* root_;
  SoPerspectiveCamera* camera_;
};

}  // namespace tarvo::ui
