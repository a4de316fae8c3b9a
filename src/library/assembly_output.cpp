#include "library/assembly_output.h"

#include "definition/code_page.h"
#include "mesh/tool_meshes.h"
#include "platform/text.h"
#include "sheet/sheet_layout.h"
#include "sheet/stack_marks.h"

namespace tarvo::library {

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
