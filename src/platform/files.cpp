#include "platform/files.h"

#include <regex>

#include "platform/text.h"

namespace tarvo::platform {

FileStatus DiskFileSystem::Copy(const std::filesystem::path& from, const std::filesystem::path& to,
                                Durability durability) {
  std::string bytes;
  FileStatus read = Read(from, bytes);
  if (!read.IsOk()) return read;
  FileStatus written = Write(to, bytes, durability);
  if (!written.IsOk()) written.File = to;
  return written;
}

bool IsTemporaryName(const std::string& name) {
  static const std::regex temporary(R"(\..+\.[0-9]+-[0-9]+\.tmp)");
  return std::regex_match(name, temporary);
}

void RemoveLeftTemporaries(const std::filesystem::path& folder) {
  std::error_code error;
  for (const std::filesystem::directory_entry& entry :
       std::filesystem::directory_iterator(folder, error)) {
    if (IsTemporaryName(PathText(entry.path().filename()))) std::filesystem::remove(entry.path(), error);
  }
}

}  // namespace tarvo::platform
