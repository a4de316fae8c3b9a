#include "sheet/probe_limits.h"

#include <cmath>

#include "numbers/number_text.h"

namespace tarvo::sheet {
namespace {

LimitMargin MarginOf(const char* what, double figure, double limit, int decimals, const char* unit) {
  const auto text = [&](double value) { return numbers::FigureText(value, decimals) + unit; };
  const bool passed = figure - limit >= 0.5 * std::pow(10.0, -decimals);
  return {std::string(what) + " limit of " + text(limit), text(std::abs(figure - limit)), passed};
}

}  // namespace

std::vector<LimitMargin> MarginsOf(const ToolFigures& f, const ProbeProfile& probe) {
  std::vector<LimitMargin> margins;
  if (probe.MaxLength) margins.push_back(MarginOf("length", f.Length, *probe.MaxLength, 4, " mm"));
  if (probe.MaxMass) margins.push_back(MarginOf("mass", f.Mass, *probe.MaxMass, 2, " g"));
  return margins;
}

std::vector<std::string> PassedLimits(const ToolFigures& f, const ProbeProfile& probe) {
  std::vector<std::string> passed;
  for (const LimitMargin& m : MarginsOf(f, probe)) {
    if (m.Passed) passed.push_back("over the probe's " + m.Limit + " by " + m.Margin);
  }
  return passed;
}

std::string LimitsText(const ToolFigures& f, const ProbeProfile& probe) {
  std::string text;
  for (const std::string& passed : PassedLimits(f, probe)) text += (text.empty() ? "" : "; ") + passed;
  return text.empty() ? "ok" : text;
}

}  // namespace tarvo::sheet
