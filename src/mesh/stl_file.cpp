#include "mesh/stl_file.h"

#include <bit>
#include <cstdint>

#include "mesh/tool_meshes.h"
#include "platform/text.h"

namespace tarvo::mesh {
namespace {

constexpr std::size_t kHeaderSize = 80;

void PutWord(std::string& bytes, std::uint32_t word) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((word >> shift) & 0xFF));
}

// A double goes into the file as the nearest float, as STL holds them.
void PutVector(std::string& bytes, Vec3 v) {
  // Adding 0 turns a negative zero into 0.
  for (const double c : {v.X, v.Y, v.Z}) PutWord(bytes, std::bit_cast<std::uint32_t>(static_cast<float>(c + 0.0)));
}

}  // namespace

std::string StlBytes(const std::vector<TriangleMesh>& meshes, std::string_view title) {
  std::string bytes(title.substr(0, kHeaderSize));
  bytes.resize(kHeaderSize, ' ');
  std::size_t count = 0;
  for (const TriangleMesh& mesh : meshes) count += mesh.size();
  PutWord(bytes, static_cast<std::uint32_t>(count));
  for (const TriangleMesh& mesh : meshes) {
    for (const Triangle& t : mesh) {
      const Vec3 normal = Cross(t[1] - t[0], t[2] - t[0]);
      const double length = Length(normal);
      PutVector(bytes, length > 0 ? (1 / length) * normal : Vec3{});
      for (const Vec3& corner : t) PutVector(bytes, corner);
      bytes.append(2, '\0');
    }
  }
  return bytes;
}

StlExport ExportStl(platform::FileSystem& files, const std::filesystem::path& file, std::string_view block) {
  using enum StlExport::Code;
  const ToolMeshes tool = ReadToolMeshes(block);
  if (!tool.Error.empty()) return {UnreadableLine, "The tool cannot be exported as STL: " + tool.Error};
  if (tool.Elements.empty()) return {NoElement, "The tool has no element to export as STL."};
  const platform::FileStatus written =
      files.Write(file, StlBytes(tool.Elements, "TARVO Tools " + tool.Item), platform::Durability::Durable);
  if (!written.IsOk()) return {WriteFailed, "The STL file was not written: " + platform::PathText(file) + ": " + written.Reason};
  return {};
}

}  // namespace tarvo::mesh
