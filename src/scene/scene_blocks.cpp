#include "scene/scene_blocks.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <unordered_map>

#include "numbers/number_text.h"

namespace tarvo::scene {
namespace {

using numbers::SceneText;

constexpr std::string_view kRule = "#-------------------";

void Line(std::string& block, std::string_view text) {
  block += text;
  block += "\r\n";
}

void Lines(std::string& block, std::initializer_list<std::string_view> texts) {
  for (std::string_view text : texts) Line(block, text);
}

std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  return text;
}

// The block of an upright cylinder: the grey cylinder and the red disk differ
// only in their title and appearance.
std::string UprightCylinder(std::string_view title, std::string_view appearance, std::string_view y,
                            std::string_view height, std::string_view radius) {
  std::string block;
  Lines(block, {kRule, title, kRule, "Transform {"});
  Line(block, Joined({"translation 0 ", y, " 0"}));
  Lines(block, {"children[", "Shape {", appearance, "geometry Cylinder {"});
  Line(block, Joined({"height ", height}));
  Line(block, Joined({"radius ", radius}));
  Lines(block, {"}", "}", "]", "}", ""});
  return block;
}

// Spreads the bits of a float's representation; the standard hash of a float
// hashes its bytes one by one.
struct CheapHash {
  std::size_t operator()(std::uint32_t bits) const { return bits * 0x9E3779B1U; }
};

// Whether the line at `at` is a rule (kRule, or the prototype's longer one)
// whose next line is a title.
bool StartsBlock(std::string_view text, std::size_t at) {
  if (text.compare(at, kRule.size(), kRule) != 0) return false;
  const std::size_t next = text.find('\n', at);
  return next != std::string_view::npos && text.compare(next + 1, 2, "# ") == 0;
}

}  // namespace

std::vector<std::string_view> SceneBlocks(std::string_view text) {
  std::vector<std::string_view> blocks;
  std::size_t start = 0;     // of the block under way
  bool ruled = false;        // the block under way has begun at a rule: the next rule ends it
  bool prototype = false;    // the block under way is a cone's prototype: the cone joins it
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) break;
    if (StartsBlock(text, at)) {
      if (ruled && !prototype) {
        blocks.push_back(text.substr(start, at - start));
        start = at;
      }
      ruled = true;
      const std::size_t title = end + 1;
      prototype = text.substr(title, text.find('\n', title) - title).find("PROTOTYPE") != std::string_view::npos;
    }
    at = end + 1;
  }
  if (start < text.size()) blocks.push_back(text.substr(start));
  return blocks;
}

std::string HeaderBlock() {
  std::string block;
  Lines(block, {"#VRML V2.0 utf8", "", kRule, "# Background Color", kRule, "Background {",
                "skyColor 1 1 0.725", "}", "", kRule, "# Defining GRAY Color", kRule, "Shape {",
                "appearance DEF Gray Appearance {", "material Material {",
                "diffuseColor 0.6 0.6 0.6", "specularColor 0.7 0.7 0.7", "}", "}", "}", "", kRule,
                "# Defining RED Color", kRule, "Shape {", "appearance DEF Red Appearance {",
                "material Material {", "diffuseColor 0.7 0 0", "specularColor 0.8 0 0", "}", "}",
                "}", ""});
  return block;
}

std::string CylinderBlock(std::string_view y, std::string_view height, std::string_view radius) {
  return UprightCylinder("# CYLINDER", "appearance USE Gray", y, height, radius);
}

std::string DiskBlock(std::string_view y, std::string_view height, std::string_view radius) {
  return UprightCylinder("# DISK", "appearance USE Red", y, height, radius);
}

std::string SphereBlock(std::string_view y, std::string_view radius) {
  std::string block;
  Lines(block, {kRule, "# SPHERE", kRule, "Transform{"});
  Line(block, Joined({"translation 0 ", y, " 0"}));
  Lines(block, {"children[", "Shape {", "appearance USE Red", "geometry Sphere {"});
  Line(block, Joined({"radius ", radius}));
  Lines(block, {"}", "}", "]", "}", ""});
  return block;
}

std::string ConePrototypeBlock(float piValue) {
  constexpr std::string_view kLongRule = "#------------------------------";
  std::string block;
  Lines(block, {kLongRule, "#  TRUNCATED CONE PROTOTYPE ", kLongRule, "PROTO TruncatedCone [",
                "field SFFloat bottomRadius 1", "field SFFloat topRadius 1", "field SFFloat height 1",
                "field SFBool beginCap TRUE", "field SFBool endCap TRUE",
                "field SFFloat creaseAngle 0", "field MFRotation orientation 0 0 1 0",
                "field SFBool solid TRUE", "exposedField SFNode appearance NULL", "]", "{", "Group {",
                "children [", "Shape {", "geometry DEF ETS Extrusion {", "beginCap IS beginCap",
                "endCap IS endCap", "creaseAngle IS creaseAngle", "orientation IS orientation",
                "solid IS solid", "crossSection ["});
  // The unit circle, x = cos a and z = -sin a, every 5 degrees from 0 to 360.
  for (int degrees = 0; degrees <= 360; degrees += 5) {
    const double angle = (degrees / 180.0) * static_cast<double>(piValue);
    const std::string x = SceneText(numbers::RoundHalfEven(std::cos(angle), 4));
    const std::string z = SceneText(numbers::RoundHalfEven(-std::sin(angle), 4));
    Line(block, Joined({x, " ", z, ","}));
  }
  Lines(block, {"]", "}", "appearance IS appearance", "}", "DEF Scr Script {",
                "field SFNode ETS USE ETS", "field SFFloat bottomRadius IS bottomRadius",
                "field SFFloat topRadius IS topRadius", "field SFFloat height IS height",
                "eventOut MFVec3f spine_changed", "eventOut MFVec2f scale_changed",
                "field SFVec2f scale_0 1 1", "field SFVec3f spine_0 0 0 0",
                "url[\"javascript: function initialize(){", "spine_changed[0]=spine_0;",
                "spine_0[1]=height;", "spine_changed[1]=spine_0;",
                "scale_changed[0]=scale_0.multiply(bottomRadius);",
                "scale_changed[1]=scale_0.multiply(topRadius);", "}", "\"", "]", "}", "]",
                "ROUTE Scr.scale_changed TO ETS.set_scale",
                "ROUTE Scr.spine_changed TO ETS.set_spine", "}", "}", ""});
  return block;
}

std::string ConeBlock(std::string_view y, std::string_view height, std::string_view topRadius,
                      std::string_view bottomRadius) {
  std::string block;
  Lines(block, {kRule, "# CONE", kRule, "Transform {"});
  Line(block, Joined({"translation 0 ", y, " 0"}));
  Lines(block, {"children[", "Shape {", "geometry TruncatedCone {", "appearance USE Gray"});
  Line(block, Joined({"height ", height}));
  Line(block, Joined({"topRadius ", topRadius}));
  Line(block, Joined({"bottomRadius ", bottomRadius}));
  Lines(block, {"}", "}", "]", "}", ""});
  return block;
}

void PolygonTexts::Update(const PreviewMesh& mesh) {
  if (resets_ != mesh.Resets || faces_ > mesh.FaceCount) {
    resets_ = mesh.Resets;
    faces_ = 0;
    points_.clear();
    indices_.clear();
  }
  // A vertex stands in several faces and shares its coordinates with others:
  // each value is formatted once.
  std::unordered_map<std::uint32_t, std::string, CheapHash> texts;
  const auto text = [&texts](float value) -> const std::string& {
    auto [at, added] = texts.try_emplace(std::bit_cast<std::uint32_t>(value));
    if (added) at->second = SceneText(value);
    return at->second;
  };
  for (int face = faces_ + 1; face <= mesh.FaceCount; ++face) {
    for (int j = 0; j < mesh.FaceVertexCount[face]; ++j) {
      const int v = mesh.FaceFirstVertex[face] + j;
      points_ += text(mesh.VertexX[v]);
      points_ += ", ";
      points_ += text(mesh.VertexY[v]);
      points_ += ", ";
      points_ += text(mesh.VertexZ[v]);
      points_ += "\r\n";
      char index[12];
      indices_.append(index, std::to_chars(index, index + sizeof index, v - 1).ptr);
      indices_ += ", ";
    }
    // The face text carries its own line end, so an empty line follows it.
    indices_ += "-1\r\n\r\n";
  }
  faces_ = mesh.FaceCount;
}

std::string PolygonTexts::Block(float piValue) const {
  std::string block;
  block.reserve(400 + points_.size() + indices_.size());
  Lines(block, {kRule, "# POLYGON", kRule, "Transform {"});
  // A quarter turn about -x carries the mesh's axial z onto the scene's y.
  Line(block, Joined({"rotation -1 0 0 ", SceneText(piValue / 2)}));
  Lines(block, {"children[", "Shape {", "appearance USE Gray", "geometry IndexedFaceSet {",
                "coord Coordinate {", "point ["});
  block += points_;
  Lines(block, {"]", "}", "coordIndex ["});
  block += indices_;
  Lines(block, {"]", "}", "}", "]", "}"});
  return block;
}

}  // namespace tarvo::scene
