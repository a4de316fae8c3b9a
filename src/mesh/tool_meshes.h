#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mesh/triangle_mesh.h"

namespace tarvo::mesh {

// The solids of a tool, read from its definition lines.
struct ToolMeshes {
  std::string Item;                    // the ITEM line, empty when the block has none
  std::vector<TriangleMesh> Elements;  // one per element, in the order of the lines
  std::string Error;                   // "line N: ..." when a line cannot be read; then no elements
};

// Reads a definition block (lines ending in LF or CR LF): one solid for each
// "cylinder", "cilinder", "cone" and "sphere" line, and one for each run of
// "face" lines (a polygonal element). Other lines carry no geometry and are
// passed over. A number may use a point or a comma as decimal separator.
ToolMeshes ReadToolMeshes(std::string_view block);

}  // namespace tarvo::mesh
