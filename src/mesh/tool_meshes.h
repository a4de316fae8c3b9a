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

// The meshes of the solids that ReadToolSolids (tool_solids.h) reads.
ToolMeshes ReadToolMeshes(std::string_view block);

}  // namespace tarvo::mesh
