#include "library/assembly_output.h"

#include <algorithm>
#include <memory>

#include "definition/code_page.h"
#include "library/tool_scene.h"
#include "mesh/tool_meshes.h"
#include "numbers/number_text.h"
#include "scene/memory_file_system.h"
#include "scene/scene_view.h"
#include "platform/text.h"
#include "sheet/sheet_layout.h"
#include "sheet/stack_marks.h"

namespace tarvo::library {
namespace {

// A joint's ring: a flat blue cylinder around the axis at `y`, a little
// wider than the parts that meet there.
std::string JointBlock(double y, double radius, double height) {
  return "#-------------------\r\n# JOINT\r\n#-------------------\r\nTransform {\r\ntranslation 0 " +
         numbers::SceneText(y) + " 0\r\nchildren[\r\nShape {\r\nappearance Appearance {\r\nmaterial Material {\r\n"
         "diffuseColor 0.1 0.3 0.9\r\n}\r\n}\r\ngeometry Cylinder {\r\nheight " + numbers::SceneText(height) +
         "\r\nradius " + numbers::SceneText(radius) + "\r\n}\r\n}\r\n]\r\n}\r\n\r\n";
}

}  // namespace

std::string StackScene(const Stack& stack) {
  scene::MemoryFileSystem files;
  scene::NoSceneView view;
  auto preview = std::make_unique<scene::Scene>("scene", files, view);
  preview->CreateWRMLFile();
  double length = 0;
  for (const sheet::ElementProfile& e : stack.Profiles) length = std::max(length, -e.BottomZ);
  for (std::size_t i = 0; i < stack.Tools.size(); ++i) {
    if (stack.Tools[i] != nullptr) AddToolShapes(*preview, *stack.Tools[i], stack.Joints[i]);
  }
  std::string text = files.Read(platform::PathText(preview->ScenePath()));
  for (std::size_t i = 1; i < stack.Joints.size() && i < stack.FirstElement.size(); ++i) {
    // The wider of the part above at its lower end and the part below at its top.
    const std::size_t first = stack.FirstElement[i];
    double width = first > stack.FirstElement[i - 1] ? stack.Profiles[first - 1].BottomDiameter : 0;
    if (first < stack.Profiles.size()) {
      width = std::max(width, stack.Profiles[first].TopDiameter);
    }
    text += JointBlock(stack.Joints[i], width / 2 * 1.3 + 0.2, std::max(0.15, length / 250));
  }
  return text;
}

mesh::StlExport ExportStackStl(platform::FileSystem& files, const std::filesystem::path& file,
                               const Library& library, const Stack& stack, const std::string& name) {
  using enum mesh::StlExport::Code;
  std::vector<mesh::TriangleMesh> meshes;
  for (std::size_t i = 0; i < stack.Tools.size(); ++i) {
    const mesh::ToolMeshes part = mesh::ReadToolMeshes(library.Block(*stack.Tools[i]));
    if (!part.Error.empty()) return {UnreadableLine, "The assembly cannot be exported as STL: " + part.Error};
    const mesh::Vec3 down{0, 0, stack.Joints[i]};  // z of the part's mounting face
    for (mesh::TriangleMesh element : part.Elements) {
      for (mesh::Triangle& triangle : element) {
        for (mesh::Vec3& corner : triangle) corner = corner + down;
      }
      meshes.push_back(std::move(element));
    }
  }
  if (meshes.empty()) return {NoElement, "The assembly has no element to export as STL."};
  const platform::FileStatus written =
      files.Write(file, mesh::StlBytes(meshes, "TARVO Tools assembly " + name), platform::Durability::Durable);
  if (!written.IsOk()) {
    return {WriteFailed, "The STL file was not written: " + platform::PathText(file) + ": " + written.Reason};
  }
  return {};
}

sheet::SheetDrawing StackSheet(const Library& library, const Stack& stack, const sheet::ToolFigures& figures,
                               const StackTitle& title) {
  sheet::SheetTitle sheetTitle;
  sheetTitle.Name = title.Name.empty() ? "assembly" : title.Name;
  sheetTitle.Connection = definition::FromWindows1252(stack.Tools.front()->Connection);
  sheetTitle.Tools = static_cast<int>(library.Tools.size());
  sheetTitle.Date = title.Date;
  sheetTitle.Version = title.Version;
  sheetTitle.Probe = title.Probe;
  const auto differs = [&](const PartRef& part) { return part.Stem != title.Parts.front().Stem; };
  if (std::any_of(title.Parts.begin(), title.Parts.end(), differs)) sheetTitle.StemMaterials = "each part's own, as listed";
  sheet::SheetDrawing drawing = sheet::LayOutSheet(stack.Profiles, figures, sheetTitle);
  std::vector<sheet::MarkedPart> marked;
  std::string list = "Parts, from the probe down: ";
  for (std::size_t i = 0; i < title.Parts.size(); ++i) {
    marked.push_back({PartText(title.Parts[i]), stack.Joints[i]});
    list += (i ? ", " : "") + title.Parts[i].Name + " (" + std::string(sheet::DataOf(title.Parts[i].Stem).Name) + ")";
  }
  sheet::MarkStack(drawing, marked, list);
  return drawing;
}

}  // namespace tarvo::library
