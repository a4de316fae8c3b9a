#pragma once

#include <string>
#include <vector>

#include "definition/tool_definition.h"
#include "numbers/number_format.h"
#include "scene/preview_mesh.h"

namespace tarvo::definition {

struct PolygonInput {
  int EdgeCount = 3;
  double UpperEdge = 0;  // the polygon's edge length, or the upper one of two levels
  double LowerEdge = 0;  // the lower edge length of a two-level polygon
};

// A prism on a regular polygon between ElementTopZ and ElementBottomZ: stores
// the solid, its faces, caps and connection points (2N + 4 lines) and adds
// N + 2 faces to the preview mesh.
void ConfirmPolygon(ToolDefinition& tool, scene::PreviewMesh& mesh, const PolygonInput& input,
                    const numbers::NumberFormat& format);

// The same for a truncated pyramid whose lower polygon has its own edge
// length; the lower polygon is computed in single precision.
void ConfirmTwoLevelPolygon(ToolDefinition& tool, scene::PreviewMesh& mesh,
                            const PolygonInput& input, const numbers::NumberFormat& format);

// The coordinate texts of vertices 1..N as the cap lines list them, x then y
// for each: of the polygon of ConfirmPolygon (or the upper level of a
// two-level polygon), or with `lowerLevel` of the lower level, which is
// computed in single precision.
std::vector<std::string> CapVertexTexts(int edges, double edge, bool lowerLevel, float pi);

}  // namespace tarvo::definition
