#pragma once

#include <string>

#include "library/library_file.h"
#include "scene/scene.h"

namespace tarvo::library {

// The preview scene of a tool of `library`: for a rebuildable tool the very
// scene the editor writes while the tool is built, so that the tool library
// shows it as the window does; otherwise built from its lines, each
// recognised element drawn as the editor draws it.
std::string ToolScene(const Library& library, const Tool& tool);

// Appends the shapes of the tool's recognised elements to `preview`, its
// mounting face at z = `mountingZ`, each drawn as the editor draws it.
void AddToolShapes(scene::Scene& preview, const Tool& tool, double mountingZ);

}  // namespace tarvo::library
