#include "sheet/prism_figures.h"

#include <cmath>
#include <numbers>

#include "numbers/number_text.h"
#include "sheet/tool_figures.h"

namespace tarvo::sheet {

PrismFigures PrismOf(int edges, double edge) {
  if (edges < 3) return {edges, edge, 0};
  // The corners lie on the file's thousandths: so does the edge they give.
  const double a = std::round(edge * 1000) / 1000;
  const double half = std::numbers::pi / edges;  // half the angle an edge spans at the axis
  return {edges, a, a / std::tan(half)};
}

std::string PrismText(const PrismFigures& prism) {
  return numbers::IntegerText(prism.Edges) + " edges of " + LengthText(prism.Edge) + ", AF " +
         LengthText(prism.AcrossFlats);
}

std::string PrismText(const PrismFigures& top, const PrismFigures& bottom) {
  if (LengthText(top.Edge) == LengthText(bottom.Edge)) return PrismText(top);
  return numbers::IntegerText(top.Edges) + " edges of " + LengthText(top.Edge) + " / " + LengthText(bottom.Edge) +
         ", AF " + LengthText(top.AcrossFlats) + " / " + LengthText(bottom.AcrossFlats);
}

}  // namespace tarvo::sheet
