#include "mesh/tool_meshes.h"

#include "mesh/tool_solids.h"

namespace tarvo::mesh {

ToolMeshes ReadToolMeshes(std::string_view block) {
  ToolSolids solids = ReadToolSolids(block);
  ToolMeshes tool{std::move(solids.Item), {}, std::move(solids.Error)};
  for (const Solid& solid : solids.Solids) tool.Elements.push_back(MeshOf(solid));
  return tool;
}

}  // namespace tarvo::mesh
