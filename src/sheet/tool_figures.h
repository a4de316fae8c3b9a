#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mesh/tool_solids.h"
#include "sheet/materials.h"

namespace tarvo::sheet {

// One element as the side view and the figures see it: z runs down from 0 at
// the mounting face, so TopZ > BottomZ.
struct ElementProfile {
  mesh::Solid::Kind Type = mesh::Solid::Kind::Cylinder;
  double TopZ = 0, BottomZ = 0;
  // The width at each end: a polygon's across its corners, a ball's is D at
  // both ends (its outline is its circle).
  double TopDiameter = 0, BottomDiameter = 0;
  double Volume = 0;  // mm³, the exact solid the line describes
  int Edges = 0;      // a polygonal element's edge count
  // The element's own material, where it is not the tool's stem material
  // (a part of a stack of tools); the tip keeps the tip material.
  std::optional<Material> Stem;
};

std::vector<ElementProfile> ProfilesOf(const std::vector<mesh::Solid>& solids);

// The figures of a stylus data sheet, in mm and g.
struct ToolFigures {
  double Length = 0;                     // L: mounting face to the tip's centre, else to the lower end
  std::optional<double> WorkingLength;   // EWL, for a ball or disk tip
  std::optional<double> TipDiameter;     // D
  std::optional<double> StemDiameter;    // ds: the element above the tip, at its lower end
  double Largest = 0;                    // the largest diameter
  int Elements = 0;
  double Mass = 0;                       // g
  std::optional<mesh::Solid::Kind> Tip;  // Ball or Disk
  MaterialChoice Materials;
  Material TipMaterial = Material::Ruby; // the tip's material in effect
  double Force = 0;                      // N, the probing force of Bending
  double Bending = 0;                    // µm, the point of force sideways under Force
  double Heat = 0;                       // µm/K, the growth of L for one kelvin

  // The element above the tip is already as wide as the tip at its lower
  // end: the stem touches a wall first (EWL 0).
  bool StemAsWideAsTip() const { return StemDiameter && TipDiameter && *StemDiameter >= *TipDiameter; }
};

// The probing force without a probe profile, N.
inline constexpr double kDefaultForce = 0.1;

// Every figure of a tool; bending at `force` N (see stem_behaviour.h).
ToolFigures FiguresOf(const std::vector<ElementProfile>& elements, const MaterialChoice& materials,
                      double force = kDefaultForce);

// The figures of a definition block; nothing when a line cannot be read
// (the reason in `error`) or the block has no element.
std::optional<ToolFigures> FiguresOfBlock(std::string_view block, const MaterialChoice& materials,
                                          std::string* error = nullptr, double force = kDefaultForce);

// "L\t20\n", "EWL\t0\n" ...: one KEY<TAB>VALUE line each for L, EWL, D, ds,
// largest, elements, mass, bending and heat; lengths in mm to 4 decimals
// without trailing zeros, the mass in g, the bending in µm and the heat in
// µm/K to 2 decimals, "-" for EWL, D and ds without a tip and for a bending
// without end (a section of no width).
std::string FigureLines(const ToolFigures& figures);

// A length as the sheet and the figures print it: "12.5".
std::string LengthText(double millimetres);
// A bending in µm to 2 decimals ("1.70"), "-" when it has no end.
std::string BendingText(double micrometres);

}  // namespace tarvo::sheet
