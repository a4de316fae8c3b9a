#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mesh/triangle_mesh.h"

namespace tarvo::mesh {

// One element's exact solid, as its definition line describes it.
struct Solid {
  enum class Kind { Cylinder, Cone, Ball, Disk, Polygon };
  Kind Type = Kind::Cylinder;
  // A cylinder, cone or disk: the axis points of both ends, each end's
  // diameter. A ball: First is its centre, FirstDiameter its diameter.
  Vec3 First, Second;
  double FirstDiameter = 0, SecondDiameter = 0;
  // A polygonal element: its plane faces, each a loop of vertices.
  std::vector<std::vector<Vec3>> Faces;
};

// The solids of a tool, read from its definition lines.
struct ToolSolids {
  std::string Item;           // the ITEM line, empty when the block has none
  std::vector<Solid> Solids;  // one per element, in the order of the lines
  std::string Error;          // "line N: ..." when a line cannot be read; then no solids
};

// Reads a definition block (lines ending in LF or CR LF): one solid for each
// "cylinder", "cilinder" (a disk), "cone" and "sphere" line, and one for each
// run of "face" lines (a polygonal element). Other lines carry no geometry and
// are passed over. A number may use a point or a comma as decimal separator.
ToolSolids ReadToolSolids(std::string_view block);

// The solid as a closed triangle mesh (see element_meshes.h).
TriangleMesh MeshOf(const Solid& solid);

}  // namespace tarvo::mesh
