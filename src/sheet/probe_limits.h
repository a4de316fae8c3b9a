#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sheet/tool_figures.h"

namespace tarvo::sheet {

// A probe the user's machines carry: it probes with its own force and carries
// styli only up to a length (L) and a mass.
struct ProbeProfile {
  std::string Name;
  double Force = kDefaultForce;     // N
  std::optional<double> MaxLength;  // mm, mounting face to the tip's centre
  std::optional<double> MaxMass;    // g
};

// One limit of a probe against a tool's figure.
struct LimitMargin {
  std::string Limit;   // "length limit of 50 mm"
  std::string Margin;  // "4.5 mm": what is left to it, or by how much it is passed
  bool Passed = false;
};

// The probe's limits that are set, length first. A limit is passed when the
// figure is over it by at least the last printed decimal (4 for a length,
// 2 for a mass), so that "by 0 mm" is never said.
std::vector<LimitMargin> MarginsOf(const ToolFigures& figures, const ProbeProfile& probe);

// "over the probe's length limit of 50 mm by 4.5 mm", one for each limit
// the tool passes.
std::vector<std::string> PassedLimits(const ToolFigures& figures, const ProbeProfile& probe);

// The `limits` line's value: "ok", or the passed limits separated by "; ".
std::string LimitsText(const ToolFigures& figures, const ProbeProfile& probe);

}  // namespace tarvo::sheet
