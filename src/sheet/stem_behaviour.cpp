#include "sheet/stem_behaviour.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tarvo::sheet {
namespace {

using mesh::Solid;
using std::numbers::pi;

// Eight-point Gauss-Legendre on [-1, 1]: the positive nodes and their weights.
constexpr std::array<double, 4> kNodes = {0.1834346424956498, 0.5255324099163290, 0.7966664774136267,
                                          0.9602898564975363};
constexpr std::array<double, 4> kWeights = {0.3626837833783620, 0.3137066458778873, 0.2223810344533745,
                                            0.1012285362903763};

// I / w⁴ for a section of width w (a diameter, or a polygon's across its corners).
double SectionFactor(const ElementProfile& e) {
  if (e.Type != Solid::Kind::Polygon) return pi / 64;
  const int n = std::max(e.Edges, 3);
  const double r = 0.5;  // a polygon 1 across its corners
  const double edge = 2 * r * std::sin(pi / n);
  const double area = n / 2.0 * r * r * std::sin(2 * pi / n);
  return area * (6 * r * r - edge * edge) / 24;
}

// ∫ (z - forceZ)² / w(z)⁴ dz over [lo, hi], w linear from wLo to wHi.
double LeverIntegral(double lo, double hi, double wLo, double wHi, double forceZ) {
  if (std::min(wLo, wHi) <= 0) return INFINITY;
  const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(std::log(wHi / wLo)) / std::log(1.5))));
  double sum = 0;
  for (int k = 0; k < pieces; ++k) {
    // Piece ends where the width grows by equal ratios.
    const auto at = [&](int j) {
      const double w = wLo * std::pow(wHi / wLo, static_cast<double>(j) / pieces);
      return wHi == wLo ? lo + (hi - lo) * j / pieces : lo + (hi - lo) * (w - wLo) / (wHi - wLo);
    };
    const double a = at(k), b = at(k + 1), mid = (a + b) / 2, half = (b - a) / 2;
    for (std::size_t i = 0; i < kNodes.size(); ++i) {
      for (const double side : {-1.0, 1.0}) {
        const double z = mid + side * half * kNodes[i];
        const double w = wLo + (wHi - wLo) * (z - lo) / (hi - lo);
        const double lever = z - forceZ;
        sum += kWeights[i] * half * lever * lever / (w * w * w * w);
      }
    }
  }
  return sum;
}

// The element's width at height z.
double WidthAt(const ElementProfile& e, double z) {
  if (e.TopZ == e.BottomZ) return e.TopDiameter;
  return e.BottomDiameter + (e.TopDiameter - e.BottomDiameter) * (z - e.BottomZ) / (e.TopZ - e.BottomZ);
}

}  // namespace

StemBehaviour BehaviourOf(const std::vector<ElementProfile>& elements, std::optional<std::size_t> tip,
                          double forceZ, Material stem, Material tipMaterial, double force) {
  StemBehaviour b;
  double compliance = 0;  // ∫ a² / (E I) dz, with E in GPa: F times it is in µm
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const ElementProfile& e = elements[i];
    const bool isTip = tip == i;
    const MaterialData& m = DataOf(isTip ? tipMaterial : e.Stem.value_or(stem));
    const double hi = std::min(e.TopZ, 0.0), lo = std::max(e.BottomZ, forceZ);
    if (hi <= lo || e.Type == Solid::Kind::Ball) continue;
    b.Heat += m.Expansion * (hi - lo) / 1000;
    if (isTip) continue;
    compliance += LeverIntegral(lo, hi, WidthAt(e, lo), WidthAt(e, hi), forceZ) / (SectionFactor(e) * m.Modulus);
  }
  b.Bending = force * compliance;
  return b;
}

}  // namespace tarvo::sheet
