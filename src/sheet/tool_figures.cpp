#include "sheet/tool_figures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "mesh/element_meshes.h"
#include "numbers/number_text.h"
#include "sheet/stem_behaviour.h"

namespace tarvo::sheet {
namespace {

using mesh::Solid;
using mesh::Vec3;
using std::numbers::pi;

// A frustum's volume; a cylinder's when both radii agree.
double FrustumVolume(double height, double r1, double r2) { return pi * height / 3 * (r1 * r1 + r1 * r2 + r2 * r2); }

// A closed convex solid's volume: the tetrahedra from the origin to its
// outward-facing triangles.
double ConvexVolume(const std::vector<std::vector<Vec3>>& faces) {
  double sixfold = 0;
  for (const mesh::Triangle& t : mesh::ConvexSolid(faces)) sixfold += mesh::Dot(t[0], mesh::Cross(t[1], t[2]));
  return std::abs(sixfold) / 6;
}

ElementProfile PolygonProfile(const Solid& solid) {
  ElementProfile profile;
  profile.Type = Solid::Kind::Polygon;
  double top = -INFINITY, bottom = INFINITY;
  for (const auto& face : solid.Faces) {
    for (const Vec3& v : face) {
      top = std::max(top, v.Z);
      bottom = std::min(bottom, v.Z);
    }
  }
  // Across the corners at each end: the polygon's circumscribed diameter.
  for (const auto& face : solid.Faces) {
    for (const Vec3& v : face) {
      const double across = 2 * std::hypot(v.X, v.Y);
      if (v.Z == top) profile.TopDiameter = std::max(profile.TopDiameter, across);
      if (v.Z == bottom) profile.BottomDiameter = std::max(profile.BottomDiameter, across);
    }
  }
  profile.TopZ = top;
  profile.BottomZ = bottom;
  profile.Volume = ConvexVolume(solid.Faces);
  profile.Edges = static_cast<int>(solid.Faces.size()) - 2;
  return profile;
}

ElementProfile ProfileOf(const Solid& solid) {
  if (solid.Type == Solid::Kind::Polygon) return PolygonProfile(solid);
  ElementProfile profile;
  profile.Type = solid.Type;
  if (solid.Type == Solid::Kind::Ball) {
    const double r = solid.FirstDiameter / 2;
    profile.TopZ = solid.First.Z + r;
    profile.BottomZ = solid.First.Z - r;
    profile.TopDiameter = profile.BottomDiameter = solid.FirstDiameter;
    profile.Volume = 4 * pi / 3 * r * r * r;
    return profile;
  }
  const bool firstOnTop = solid.First.Z >= solid.Second.Z;
  profile.TopZ = std::max(solid.First.Z, solid.Second.Z);
  profile.BottomZ = std::min(solid.First.Z, solid.Second.Z);
  profile.TopDiameter = firstOnTop ? solid.FirstDiameter : solid.SecondDiameter;
  profile.BottomDiameter = firstOnTop ? solid.SecondDiameter : solid.FirstDiameter;
  profile.Volume = FrustumVolume(mesh::Length(solid.Second - solid.First), solid.FirstDiameter / 2,
                                 solid.SecondDiameter / 2);
  return profile;
}

// The lowest height of an element where its width reaches `width`: its
// lower end when it is that wide there, else where its straight side
// crosses that width; nothing when it is narrower all along.
std::optional<double> WhereWidthReaches(const ElementProfile& e, double width) {
  if (e.BottomDiameter >= width) return e.BottomZ;
  if (e.TopDiameter < width) return std::nullopt;
  const double part = (width - e.BottomDiameter) / (e.TopDiameter - e.BottomDiameter);
  return e.BottomZ + part * (e.TopZ - e.BottomZ);
}

}  // namespace

std::vector<ElementProfile> ProfilesOf(const std::vector<Solid>& solids) {
  std::vector<ElementProfile> profiles;
  for (const Solid& solid : solids) profiles.push_back(ProfileOf(solid));
  return profiles;
}

ToolFigures FiguresOf(const std::vector<ElementProfile>& elements, const MaterialChoice& materials, double force) {
  ToolFigures f;
  f.Force = force;
  f.Elements = static_cast<int>(elements.size());
  f.Materials = materials;
  if (elements.empty()) return f;
  const ElementProfile& last = elements.back();
  const bool tipped = last.Type == Solid::Kind::Ball || last.Type == Solid::Kind::Disk;
  double lowest = 0;
  for (const ElementProfile& e : elements) {
    lowest = std::min(lowest, e.BottomZ);
    f.Largest = std::max({f.Largest, e.TopDiameter, e.BottomDiameter});
  }
  f.Length = -lowest;
  f.TipMaterial = materials.Tip.value_or(tipped && last.Type == Solid::Kind::Ball ? Material::Ruby : Material::Steel);
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const bool tip = tipped && i + 1 == elements.size();
    const Material stem = elements[i].Stem.value_or(materials.Stem);
    f.Mass += elements[i].Volume / 1000 * DataOf(tip ? f.TipMaterial : stem).Density;
  }
  const double centre = (last.TopZ + last.BottomZ) / 2;
  const StemBehaviour behaviour =
      BehaviourOf(elements, tipped ? std::optional(elements.size() - 1) : std::nullopt, tipped ? centre : lowest,
                  materials.Stem, f.TipMaterial, force);
  f.Bending = behaviour.Bending;
  f.Heat = behaviour.Heat;
  if (!tipped) return f;
  f.Tip = last.Type;
  const double d = last.TopDiameter;
  f.Length = -centre;
  f.TipDiameter = d;
  if (elements.size() > 1) f.StemDiameter = elements[elements.size() - 2].BottomDiameter;
  if (f.StemAsWideAsTip()) {
    f.WorkingLength = 0.0;
    return f;
  }
  f.WorkingLength = f.Length;
  for (std::size_t i = 0; i + 1 < elements.size(); ++i) {
    if (const std::optional<double> z = WhereWidthReaches(elements[i], d)) {
      f.WorkingLength = std::min(*f.WorkingLength, std::max(0.0, *z - centre));
    }
  }
  return f;
}

std::optional<ToolFigures> FiguresOfBlock(std::string_view block, const MaterialChoice& materials, std::string* error,
                                          double force) {
  const mesh::ToolSolids solids = mesh::ReadToolSolids(block);
  if (error) *error = solids.Error.empty() && solids.Solids.empty() ? "the tool has no element" : solids.Error;
  if (solids.Solids.empty()) return std::nullopt;
  return FiguresOf(ProfilesOf(solids.Solids), materials, force);
}

std::string LengthText(double millimetres) { return numbers::FigureText(millimetres, 4); }

std::string BendingText(double micrometres) {
  return std::isfinite(micrometres) ? numbers::FixedText(micrometres, 2) : "-";
}

std::string FigureLines(const ToolFigures& f) {
  const auto optional = [](const std::optional<double>& value) { return value ? LengthText(*value) : "-"; };
  return "L\t" + LengthText(f.Length) + "\nEWL\t" + optional(f.WorkingLength) + "\nD\t" + optional(f.TipDiameter) +
         "\nds\t" + optional(f.StemDiameter) + "\nlargest\t" + LengthText(f.Largest) + "\nelements\t" +
         numbers::IntegerText(f.Elements) + "\nmass\t" + numbers::FixedText(f.Mass, 2) + "\nbending\t" +
         BendingText(f.Bending) + "\nheat\t" + numbers::FixedText(f.Heat, 2) + "\n";
}

}  // namespace tarvo::sheet
