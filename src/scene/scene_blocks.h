#pragma once

#include <string>
#include <string_view>

#include "scene/preview_mesh.h"

namespace tarvo::scene {

// The texts of the scene file, each line ending in CR LF. Numbers arrive as
// scene number texts already formatted.

std::string HeaderBlock();
std::string CylinderBlock(std::string_view y, std::string_view height, std::string_view radius);
std::string SphereBlock(std::string_view y, std::string_view radius);
std::string DiskBlock(std::string_view y, std::string_view height, std::string_view radius);
// The truncated-cone prototype, written before every cone.
std::string ConePrototypeBlock(float piValue);
std::string ConeBlock(std::string_view y, std::string_view height, std::string_view topRadius,
                      std::string_view bottomRadius);
std::string PolygonBlock(const PreviewMesh& mesh, float piValue);

}  // namespace tarvo::scene
