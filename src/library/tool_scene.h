#pragma once

#include <string>

#include "library/library_file.h"

namespace tarvo::library {

// The preview scene of a tool of `library`: for a rebuildable tool the very
// scene the editor writes while the tool is built, so that the tool library
// shows it as the window does; otherwise built from its lines, each
// recognised element drawn as the editor draws it.
std::string ToolScene(const Library& library, const Tool& tool);

}  // namespace tarvo::library
