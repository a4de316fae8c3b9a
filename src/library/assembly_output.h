#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "library/assembly.h"
#include "mesh/stl_file.h"
#include "platform/files.h"
#include "sheet/probe_limits.h"
#include "sheet/sheet_drawing.h"

namespace tarvo::library {

// The stack's STL: every part's elements moved down to its mounting face,
// one closed solid per element, replaced whole or left as it was.
mesh::StlExport ExportStackStl(platform::FileSystem& files, const std::filesystem::path& file,
                               const Library& library, const Stack& stack, const std::string& name);

// The stack's preview scene: every part's shapes, as the tool library draws
// a tool from its lines, at its place, and a thin blue ring at each joint.
std::string StackScene(const Stack& stack);

// What the stack's title block names: the assembly and its parts.
struct StackTitle {
  std::string Name;  // the assembly's, "assembly" when it has none
  std::vector<PartRef> Parts;
  std::string Date;
  std::string Version;
  std::optional<sheet::ProbeProfile> Probe;  // whose limits the sheet compares
};

// The data sheet of a whole stack: the tool's sheet of its stacked
// elements, each joint marked and each part named, the parts listed.
sheet::SheetDrawing StackSheet(const Library& library, const Stack& stack, const sheet::ToolFigures& figures,
                               const StackTitle& title);

}  // namespace tarvo::library
