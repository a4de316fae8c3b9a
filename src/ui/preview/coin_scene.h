#pragma once

#include <Inventor/SbColor.h>

#include <string>
#include <string_view>
#include <unordered_set>

class SoNode;
class SoSeparator;

namespace tarvo::ui {

// A scene file as Coin's VRML reader makes it into nodes, ready to draw:
// the cone prototype's script run, each cone's Shape replaced by the group
// its prototype makes, the cones' sides smooth. The file stays as written;
// only the nodes change.
class CoinScene {
 public:
  // The sky of a scene without a Background: the colour the scene files write.
  static inline const SbColor kDefaultSky{1, 1, 0.725F};

  CoinScene();
  ~CoinScene();
  CoinScene(const CoinScene&) = delete;
  CoinScene& operator=(const CoinScene&) = delete;

  // Shows `text`, a whole scene file. When it only adds to the text shown,
  // only what was added is read. Returns why the text cannot be shown, and
  // then shows nothing; empty when it is shown.
  std::string Read(std::string_view text);
  // Shows nothing.
  void Clear();

  // The nodes shown; kept for as long as this scene lives.
  SoSeparator* Root() const { return root_; }
  // The sky colour of the last Background read.
  const SbColor& Sky() const { return sky_; }

 private:
  // Reads `text` and adds its nodes; false, adding nothing, when Coin
  // reports an error (the first one in `problem`).
  bool Add(std::string_view text, std::string& problem);

  SoSeparator* root_;
  std::string shown_;  // the text whose nodes root_ holds
  SbColor sky_ = kDefaultSky;
  std::unordered_set<const SoNode*> softened_;  // the materials of root_
};

}  // namespace tarvo::ui
