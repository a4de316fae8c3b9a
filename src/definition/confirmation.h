#pragma once

#include <optional>
#include <string_view>

#include "definition/tool_definition.h"
#include "numbers/number_format.h"
#include "scene/preview_mesh.h"

namespace tarvo::definition {

// What CONFIRM reads: the element kind word, the Step 2 and Step 4 state and
// the field texts after the value checks.
struct ElementInput {
  std::string_view Kind;  // "Cyl", "Cone", "Sphere", "Polygon" or "Complex"
  bool Disk = false;      // the DISK box is set
  bool Extend = false;    // EXTENSION is selected
  std::string_view Height, Diam, Diam2, LengthMin, Edges, Extension;
};

// The preview shape that goes with a confirmed element.
enum class Shape { Cylinder, Cone, Sphere, Disk, Polygon };

// How much of the tool's capacity an element takes.
struct Footprint {
  int Lines = 0;
  int Faces = 0;
  int Vertices = 0;
};

// The footprint of the element, or nothing for an unknown kind word or an
// edge count that is not a whole number of at least 3.
std::optional<Footprint> ElementFootprint(const ElementInput& input);

// Whether one more element of this footprint fits the tool and the preview mesh.
bool Fits(const ToolDefinition& tool, const scene::PreviewMesh& mesh, const Footprint& footprint);

// Counts the element, places it below the previous one and stores its lines;
// a polygonal element also adds its faces to the preview mesh. The input must
// have passed the value checks and fit the capacity. Nothing changes, and
// nothing is returned, for an input without a footprint.
std::optional<Shape> ConfirmElement(ToolDefinition& tool, scene::PreviewMesh& mesh,
                                    const ElementInput& input, const numbers::NumberFormat& format);

}  // namespace tarvo::definition
