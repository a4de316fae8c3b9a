#pragma once

#include <string>

#include "library/library_file.h"

namespace tarvo::library {

// The preview scene of a tool, built from its lines: each recognised element
// drawn as the editor draws it, also for a tool that is not rebuildable.
std::string ToolScene(const Tool& tool);

}  // namespace tarvo::library
