#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/library_file.h"
#include "sheet/tool_figures.h"

namespace tarvo::library {

// One part of an assembly: a tool of usrprobe.dat named by its name, and by
// its position where several share that name, with its own stem material.
// Parts are named, not copied: a tool changed in the library changes every
// assembly that uses it.
struct PartRef {
  std::string Name;             // UTF-8, as the user gives it
  std::optional<int> Position;  // 1-based, in usrprobe.dat
  sheet::Material Stem = sheet::Material::Steel;
  bool StemGiven = false;       // the text named the material

  bool operator==(const PartRef&) const = default;
};

// "NAME", "NAME#K", "NAME:MATERIAL" or "NAME#K:MATERIAL": a colon followed by
// a material's key names the material, a '#' followed by digits the position;
// any other colon or '#' is part of the name. Nothing for an empty name or a
// colon followed by no known material; the reason in `error`.
std::optional<PartRef> ReadPart(std::string_view text, std::string* error = nullptr);
std::string PartText(const PartRef& part);

// An assembly: a name and its parts, from the probe down.
struct Assembly {
  std::string Name;
  std::vector<PartRef> Parts;
};

// The parts found in the library, stacked: each part's mounting face at the
// lower end of the part above it (the lowest z of its elements).
struct Stack {
  std::vector<const Tool*> Tools;          // the parts' tools, null where missing
  std::vector<std::string> Missing;        // "ST1 is not in usrprobe.dat any more"
  std::vector<std::string> Refusals;       // what makes the stack impossible
  std::vector<std::string> Notices;        // the connection notices
  std::vector<sheet::ElementProfile> Profiles;  // every part's elements, moved down
  std::vector<std::size_t> FirstElement;   // where each part's elements begin in Profiles
  std::vector<double> Joints;              // the z of each part's mounting face, 0 for the first

  // Whether the figures can be computed: every part found, nothing refused.
  bool IsWhole() const { return Missing.empty() && Refusals.empty() && !Profiles.empty(); }
};

Stack StackOf(const Library& library, const std::vector<PartRef>& parts);

// The assembly's figures: those of one tool made of the stacked elements,
// each with its part's stem material; the last part's tip has `tip` (or
// the usual default); bending at `force` N. Call only for a whole stack.
sheet::ToolFigures StackFigures(const Stack& stack, std::optional<sheet::Material> tip,
                                double force = sheet::kDefaultForce);

// "connection\tok\n", or the notices joined by "; ".
std::string ConnectionLine(const Stack& stack);

}  // namespace tarvo::library
