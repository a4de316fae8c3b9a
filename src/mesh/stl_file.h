#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "mesh/triangle_mesh.h"
#include "platform/files.h"

namespace tarvo::mesh {

// A binary STL: an 80-byte header (the title, cut or padded with blanks), the
// triangle count, then per triangle its unit normal and three corners as
// little-endian 32-bit floats and an attribute word of 0. The meshes follow
// one another.
std::string StlBytes(const std::vector<TriangleMesh>& meshes, std::string_view title);

struct StlExport {
  enum class Code { Written, NoElement, UnreadableLine, WriteFailed };
  Code Result = Code::Written;
  std::string Message;  // what to tell the user when not written

  bool IsWritten() const { return Result == Code::Written; }
};

// Writes the tool of a definition block (see ReadToolMeshes) to `file` as a
// binary STL in millimetres, one closed solid per element. The file is
// replaced whole or left as it was.
StlExport ExportStl(platform::FileSystem& files, const std::filesystem::path& file, std::string_view block);

}  // namespace tarvo::mesh
