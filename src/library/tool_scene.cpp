#include "library/tool_scene.h"

#include <memory>
#include <optional>
#include <sstream>

#include "editor/editor.h"
#include "library/library_changes.h"
#include "library/tool_script.h"
#include "numbers/decimal_separator.h"
#include "numbers/number_text.h"
#include "platform/text.h"
#include "script/replay_script.h"
#include "scene/memory_file_system.h"
#include "scene/scene.h"
#include "scene/scene_view.h"

namespace tarvo::library {
namespace {

std::string Text(double value) { return numbers::SingleText(static_cast<float>(value), '.'); }

// The faces of a polygonal element's face lines, into the preview mesh.
void AddFaces(const Tool& tool, const Element& element, double mountingZ, scene::PreviewMesh& mesh) {
  mesh.Reset();
  for (int number = element.Line; number <= element.LastLine; ++number) {
    const std::string_view line = tool.Lines[static_cast<std::size_t>(number - tool.FirstLine)];
    if (!line.starts_with("face ")) continue;
    std::vector<double> values;
    for (std::size_t at = 5; at <= line.size();) {
      std::size_t end = line.find(' ', at);
      if (end == std::string_view::npos) end = line.size();
      values.push_back(ReadNumber(line.substr(at, end - at)).value_or(0));
      at = end + 1;
    }
    const int count = values.empty() ? 0 : static_cast<int>(values[0]);
    if (count < 3 || values.size() != static_cast<std::size_t>(1 + 3 * count) ||
        mesh.FaceCount >= scene::PreviewMesh::kMaxFaces ||
        mesh.VertexCount + count > scene::PreviewMesh::kMaxVertices) {
      continue;
    }
    mesh.BeginFace(count);
    for (int i = 0; i < count; ++i) {
      const auto at = static_cast<std::size_t>(1 + 3 * i);
      mesh.AddVertex(static_cast<float>(values[at]), static_cast<float>(values[at + 1]),
                     static_cast<float>(values[at + 2] + mountingZ));
    }
  }
}

// The scene file the editor writes when it rebuilds the tool; nothing when
// the tool is not rebuildable.
std::optional<std::string> RebuiltScene(const Library& library, const Tool& tool) {
  const RebuildScript script = DeriveScript(library, tool);
  if (!script.Proven()) return std::nullopt;
  scene::MemoryFileSystem files;
  scene::NoSceneView view;
  numbers::FixedLocaleQuery locale(std::string(1, script.Separator));
  std::ostringstream said;
  replay::ReplayMessages messages(said);
  editor::Editor editor("scene", files, view, messages, locale);
  editor.Load();
  if (!LoadForEdit(editor, script, library, tool).empty()) return std::nullopt;
  return files.Read(platform::PathText(editor.Scene().ScenePath()));
}

// The scene built from the tool's lines.
std::string SceneOfLines(const Tool& tool) {
  scene::MemoryFileSystem files;
  scene::NoSceneView view;
  auto preview = std::make_unique<scene::Scene>("scene", files, view);
  preview->CreateWRMLFile();
  AddToolShapes(*preview, tool, 0);
  return files.Read(platform::PathText(preview->ScenePath()));
}

}  // namespace

void AddToolShapes(scene::Scene& preview, const Tool& tool, double mountingZ) {
  const numbers::NumberFormat format;  // the texts below use a point
  preview.SceneZ = mountingZ;
  for (const Element& element : tool.Elements) {
    const std::string height = Text(element.TopZ - element.BottomZ);
    switch (element.Type) {
      case ElementType::Cylinder:
        preview.AddCylinder(height, Text(element.Diameter), format);
        break;
      case ElementType::Cone:
        preview.AddCone(height, Text(element.Diameter), Text(element.Diameter2), format);
        break;
      case ElementType::Ball: preview.AddSphere(Text(element.Diameter), format); break;
      case ElementType::Disk: preview.AddDisk(height, Text(element.Diameter), format); break;
      case ElementType::Polygon:
        AddFaces(tool, element, mountingZ, preview.Mesh);
        preview.AddPolygon(static_cast<float>(element.TopZ + mountingZ), static_cast<float>(element.BottomZ + mountingZ),
                           format);
        break;
    }
  }
}

std::string ToolScene(const Library& library, const Tool& tool) {
  return RebuiltScene(library, tool).value_or(SceneOfLines(tool));
}

}  // namespace tarvo::library
