#include "definition/confirmation.h"

#include <algorithm>
#include <string>

#include "definition/polygon_element.h"
#include "numbers/decimal_parser.h"
#include "numbers/number_text.h"

namespace tarvo::definition {
namespace {

using numbers::DoubleText;
using numbers::SingleText;

using numbers::FieldNumber;

std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  return text;
}

}  // namespace

std::optional<Footprint> ElementFootprint(const ElementInput& input) {
  if (input.Kind == "Cyl") return Footprint{input.Extend ? 2 : 1, 0, 0};
  if (input.Kind == "Cone") return Footprint{1, 0, 0};
  if (input.Kind == "Sphere") return Footprint{3, 0, 0};
  if (input.Kind == "Polygon" || input.Kind == "Complex") {
    const std::optional<int> edges = numbers::ParseEdgeCount(input.Edges);
    if (!edges) return std::nullopt;
    // Kept in 64 bits: an absurd edge count must not wrap around into a fit.
    const long long n = *edges;
    const auto clamp = [](long long value) { return static_cast<int>(std::min(value, 1'000'000LL)); };
    return Footprint{clamp(2 * n + 4), clamp(n + 2), clamp(6 * n)};
  }
  return std::nullopt;
}

bool Fits(const ToolDefinition& tool, const scene::PreviewMesh& mesh, const Footprint& footprint) {
  return tool.ElementCount + 1 <= ToolDefinition::kMaxElements &&
         tool.LineCount + footprint.Lines <= ToolDefinition::kMaxLines &&
         mesh.FaceCount + footprint.Faces <= scene::PreviewMesh::kMaxFaces &&
         mesh.VertexCount + footprint.Vertices <= scene::PreviewMesh::kMaxVertices;
}

std::optional<Shape> ConfirmElement(ToolDefinition& tool, scene::PreviewMesh& mesh,
                                    const ElementInput& input, const numbers::NumberFormat& format) {
  if (!ElementFootprint(input)) return std::nullopt;
  const char sep = format.Separator();
  ++tool.ElementCount;
  // Deliberately narrowed: the axial positions are single precision.
  const auto h = static_cast<float>(FieldNumber(input.Height, format));
  tool.ElementTopZ = tool.ElementCount == 1 ? 0.0F : tool.ElementBottomZ;
  tool.ElementBottomZ = tool.ElementTopZ - h;
  const std::string top = SingleText(tool.ElementTopZ, sep);
  const std::string bottom = SingleText(tool.ElementBottomZ, sep);
  std::int16_t& lines = tool.LinesPerElement[static_cast<std::size_t>(tool.ElementCount)];

  if (input.Kind == "Cyl") {
    tool.StoreLine(Joined({"cylinder 0 0 ", top, " 0 0 ", bottom, " ", input.Diam}));
    lines = 1;
    if (input.Extend) {
      tool.StoreLine(Joined({"connect 0 0 ", bottom, " 0 0 1 ", input.Extension}));
      lines = 2;
    }
    return Shape::Cylinder;
  }
  if (input.Kind == "Cone") {
    tool.StoreLine(Joined({"cone 0 0 ", top, " ", input.Diam, " 0 0 ", bottom, " ", input.Diam2}));
    lines = 1;
    return Shape::Cone;
  }
  if (input.Kind == "Sphere" && !input.Disk) {
    tool.StoreLine("color 255 0 0");
    tool.StoreLine(Joined({"sphere 0 0 ", bottom, " ", input.Diam}));
    tool.StoreLine(Joined({"hotspot 0 0 ", bottom, " 0 0 1 ", input.Diam, " ", input.Diam, " ball"}));
    lines = 3;
    return Shape::Sphere;
  }
  if (input.Kind == "Sphere") {
    // The disk's lower end and hotspot are computed in double from the
    // single-precision top, so they may show more digits than the bottom.
    const double topZ = tool.ElementTopZ;
    const double height = FieldNumber(input.Height, format);
    tool.StoreLine("color 255 0 0");
    tool.StoreLine(Joined({"cilinder 0 0 ", top, " 0 0 ", DoubleText(topZ - height, sep), " ", input.Diam}));
    tool.StoreLine(Joined({"hotspot 0 0 ", DoubleText(topZ - height / 2, sep), " 0 0 1 ", input.Diam,
                           " ", input.Height, " ball"}));
    lines = 3;
    return Shape::Disk;
  }
  const PolygonInput polygon{*numbers::ParseEdgeCount(input.Edges),
                             FieldNumber(input.Diam2, format), FieldNumber(input.LengthMin, format)};
  if (input.Kind == "Polygon") {
    ConfirmPolygon(tool, mesh, polygon, format);
  } else {
    ConfirmTwoLevelPolygon(tool, mesh, polygon, format);
  }
  return Shape::Polygon;
}

}  // namespace tarvo::definition
