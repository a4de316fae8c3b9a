#include "mesh/tool_solids.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <span>

#include "mesh/element_meshes.h"
#include "numbers/decimal_parser.h"

namespace tarvo::mesh {
namespace {

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while ((at = line.find_first_not_of(" \t", at)) != std::string_view::npos) {
    const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
    fields.push_back(line.substr(at, end - at));
    at = end;
  }
  return fields;
}

// The fields' numbers, when each is a finite number. The separator of the
// locale's number texts is a point or a comma; a number never holds both,
// nor any digit grouping.
std::optional<std::vector<double>> Numbers(std::span<const std::string_view> fields) {
  std::vector<double> values;
  for (const std::string_view field : fields) {
    const char separator = field.find(',') == std::string_view::npos ? '.' : ',';
    const std::optional<double> value = numbers::ParseDecimal(field, separator);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    values.push_back(*value);
  }
  return values;
}

bool IsRoundKeyword(std::string_view keyword) {
  return keyword == "cylinder" || keyword == "cilinder" || keyword == "cone" || keyword == "sphere";
}

// The vertices of a "face n x y z ..." line, at least three.
std::optional<std::vector<Vec3>> FaceVertices(const std::vector<std::string_view>& fields) {
  int count = 0;
  if (fields.size() < 2) return std::nullopt;
  const auto [end, error] = std::from_chars(fields[1].data(), fields[1].data() + fields[1].size(), count);
  if (error != std::errc() || end != fields[1].data() + fields[1].size() || count < 3) return std::nullopt;
  if (fields.size() != 2 + 3 * static_cast<std::size_t>(count)) return std::nullopt;
  const auto values = Numbers(std::span(fields).subspan(2));
  if (!values) return std::nullopt;
  std::vector<Vec3> vertices;
  for (std::size_t i = 0; i < values->size(); i += 3) vertices.push_back({(*values)[i], (*values)[i + 1], (*values)[i + 2]});
  return vertices;
}

// The solid of an axisymmetric element's line, if its numbers describe one.
std::optional<Solid> RoundSolid(const std::vector<std::string_view>& fields) {
  const std::string_view keyword = fields[0];
  const bool cone = keyword == "cone";
  const std::size_t count = keyword == "sphere" ? 4 : cone ? 8 : 7;
  if (fields.size() != 1 + count) return std::nullopt;
  const auto v = Numbers(std::span(fields).subspan(1));
  if (!v) return std::nullopt;
  if (keyword == "sphere") {
    if ((*v)[3] <= 0) return std::nullopt;
    return Solid{Solid::Kind::Ball, {(*v)[0], (*v)[1], (*v)[2]}, {}, (*v)[3], 0, {}};
  }
  Solid solid;
  solid.Type = cone ? Solid::Kind::Cone : keyword == "cilinder" ? Solid::Kind::Disk : Solid::Kind::Cylinder;
  solid.First = {(*v)[0], (*v)[1], (*v)[2]};
  solid.Second = cone ? Vec3{(*v)[4], (*v)[5], (*v)[6]} : Vec3{(*v)[3], (*v)[4], (*v)[5]};
  solid.FirstDiameter = cone ? (*v)[3] : (*v)[6];
  solid.SecondDiameter = (*v)[cone ? 7 : 6];
  if (solid.First == solid.Second || solid.FirstDiameter < 0 || solid.SecondDiameter < 0 ||
      solid.FirstDiameter + solid.SecondDiameter <= 0) {
    return std::nullopt;
  }
  return solid;
}

}  // namespace

ToolSolids ReadToolSolids(std::string_view block) {
  ToolSolids tool;
  std::vector<std::vector<Vec3>> faces;  // the polygonal element being read
  const auto endSolid = [&] {
    if (!faces.empty()) tool.Solids.push_back(Solid{Solid::Kind::Polygon, {}, {}, 0, 0, std::move(faces)});
    faces.clear();
  };
  for (int number = 1; !block.empty(); ++number) {
    const std::size_t end = block.find('\n');
    std::string_view line = block.substr(0, end);
    block = end == std::string_view::npos ? std::string_view() : block.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.empty()) continue;
    const std::string_view keyword = fields[0];
    if (keyword != "face") endSolid();
    if (keyword.starts_with("ITEM:")) {
      if (tool.Item.empty()) tool.Item = line;
      continue;
    }
    bool read = true;
    if (keyword == "face") {
      auto vertices = FaceVertices(fields);
      read = vertices.has_value();
      if (read) faces.push_back(std::move(*vertices));
    } else if (IsRoundKeyword(keyword)) {
      auto solid = RoundSolid(fields);
      read = solid.has_value();
      if (read) tool.Solids.push_back(std::move(*solid));
    }
    if (read) continue;
    tool.Solids.clear();
    tool.Error = "line " + std::to_string(number) + ": cannot read \"" + std::string(line) + "\"";
    return tool;
  }
  endSolid();
  return tool;
}

TriangleMesh MeshOf(const Solid& solid) {
  switch (solid.Type) {
    case Solid::Kind::Ball: return Sphere(solid.First, solid.FirstDiameter / 2);
    case Solid::Kind::Polygon: return ConvexSolid(solid.Faces);
    default: return Frustum(solid.First, solid.FirstDiameter / 2, solid.Second, solid.SecondDiameter / 2);
  }
}

}  // namespace tarvo::mesh
