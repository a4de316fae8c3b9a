#pragma once

#include <optional>
#include <vector>

#include "sheet/materials.h"
#include "sheet/tool_figures.h"

namespace tarvo::sheet {

// How a stylus behaves on the machine: how far the point of force moves
// sideways under the probing force, and how much the length to it grows for
// one kelvin.
struct StemBehaviour {
  double Bending = 0;  // µm
  double Heat = 0;     // µm/K
};

// The point of force sits at `forceZ` (the tip's centre, else the lower
// end). `tip` is the index of a ball or disk tip, with its material; every
// other element takes `elements[i].Stem`, else `stem`.
//
// Bending, by the unit-load integral of a clamped Euler-Bernoulli beam:
//   δ = F ∫ a(z)² / (E(z) I(z)) dz from the mounting face down to forceZ,
// a(z) = z - forceZ the lever. A round section has I = π d⁴ / 64, a regular
// polygon of n edges (corner radius R, edge s) I = A (6 R² - s²) / 24. A
// width that changes along the element is integrated by Gauss-Legendre on
// pieces whose widths differ by at most half, exact for a cylinder and
// within 1e-12 for a cone or a two-level polygon. The tip is rigid, and so
// is a ball that is not the tip. A section with no width gives infinity.
//
// Heat: Σ α h over every element but a ball, h the part of its height
// between the mounting face and forceZ (a disk tip: its upper half).
StemBehaviour BehaviourOf(const std::vector<ElementProfile>& elements, std::optional<std::size_t> tip,
                          double forceZ, Material stem, Material tipMaterial, double force);

}  // namespace tarvo::sheet
