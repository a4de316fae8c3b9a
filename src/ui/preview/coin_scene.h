#pragma once

#include <Inventor/SbColor.h>
#include <Inventor/SbName.h>

#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

class SoNode;
class SoSeparator;

namespace tarvo::ui {

// A scene file as Coin's VRML reader makes it into nodes, ready to draw:
// the cone prototype's script run, each cone's Shape replaced by the group
// its prototype makes, the cones' sides smooth, its Background left to the
// sky colour. The file stays as written; only the nodes change. The file is
// read block by block (scene::SceneBlocks): a block already shown keeps its
// nodes wherever it stands in the new text, so that an element added,
// undone, redone or changed is the only one read, and the only one Coin
// draws and measures anew.
class CoinScene {
 public:
  // The sky of a scene without a Background: the colour the scene files write.
  static inline const SbColor kDefaultSky{1, 1, 0.725F};

  CoinScene();
  ~CoinScene();
  CoinScene(const CoinScene&) = delete;
  CoinScene& operator=(const CoinScene&) = delete;

  // Shows `text`, a whole scene file; only its blocks not shown already are
  // read. Returns why the text cannot be shown, and then shows nothing;
  // empty when it is shown.
  std::string Read(std::string_view text);
  // Shows nothing.
  void Clear();

  // The nodes shown; kept for as long as this scene lives.
  SoSeparator* Root() const { return root_; }
  // The sky colour of the last Background read.
  const SbColor& Sky() const { return sky_; }

 private:
  // One block of the text shown and what was read of it.
  struct Block {
    std::string Text;
    std::vector<SoNode*> Nodes;                        // its top nodes, referenced while it is kept
    std::vector<std::pair<SbName, SoNode*>> Names;     // the nodes it names, for later blocks' USE
    std::vector<const SoNode*> Materials;              // the materials it made ready
  };
  using Names = std::vector<std::pair<SbName, SoNode*>>;

  // Reads `text`, a whole file when `whole`, else a block after those whose
  // `names` it may use; false, reading nothing, when Coin reports an error
  // (the first one in `problem`).
  bool ReadBlock(std::string_view text, bool whole, const Names& names,
                 std::unordered_set<const SoNode*>& softened, Block& block, std::string& problem);
  // Shows the nodes of `blocks`, which take the place of those shown.
  void Show(std::vector<Block> blocks);
  static void Release(Block& block);

  SoSeparator* root_;
  std::vector<Block> blocks_;  // shown, in the order of the text
  SbColor sky_ = kDefaultSky;
};

}  // namespace tarvo::ui
