#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scene/preview_mesh.h"

namespace tarvo::scene {

// The texts of the scene file, each line ending in CR LF. Numbers arrive as
// scene number texts already formatted.

std::string HeaderBlock();
std::string CylinderBlock(std::string_view y, std::string_view height, std::string_view radius);
std::string SphereBlock(std::string_view y, std::string_view radius);
std::string DiskBlock(std::string_view y, std::string_view height, std::string_view radius);
// The truncated-cone prototype, written before every cone.
std::string ConePrototypeBlock(float piValue);
std::string ConeBlock(std::string_view y, std::string_view height, std::string_view topRadius,
                      std::string_view bottomRadius);

// A scene text cut into the blocks above, in order; together they are the
// whole text. A block starts at a rule line followed by its title line (a
// line beginning "# "); the header's sections are blocks of their own, what
// precedes the first rule goes with the first, and a cone's prototype with
// the cone after it. The preview reads each block once and keeps it while it
// stays in the file.
std::vector<std::string_view> SceneBlocks(std::string_view text);

// The point and face index lines of the preview mesh, kept from one polygon
// block to the next: the mesh only grows until it is reset and every block
// repeats all of it, so each face is formatted once.
class PolygonTexts {
 public:
  // Formats the faces added since the last call (all of them after a reset).
  void Update(const PreviewMesh& mesh);
  // The block that draws every face of the mesh as last updated.
  std::string Block(float piValue) const;

 private:
  int resets_ = -1;
  int faces_ = 0;
  std::string points_;
  std::string indices_;
};

}  // namespace tarvo::scene
