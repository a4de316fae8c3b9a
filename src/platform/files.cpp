#include "platform/files.h"

#include <regex>

#include "platform/text.h"

namespace tarvo::platform {

// Stage and Commit: a crash leaves the old or the new file whole.
FileStatus DiskFileSystem::Write(const std::filesystem::path& destination, std::string_view bytes,
                                 Durability durability) {
  StagedFile staged;
  const FileStatus made = Stage(destination, bytes, durability, staged);
  return made.IsOk() ? Commit(staged) : made;
}

FileStatus DiskFileSystem::Copy(const std::filesystem::path& from, const std::filesystem::path& to,
                                Durability durability) {
  std::string bytes;
  FileStatus read = Read(from, bytes);
  if (!read.IsOk()) return read;
  FileStatus written = Write(to, bytes, durability);
  if (!written.IsOk()) written.File = to;
  return written;
}

BackedUpChange ChangeWithBackup(FileSystem& files, const std::filesystem::path& file,
                                const std::filesystem::path& backup,
                                const std::function<FileStatus()>& change) {
  BackedUpChange result;
  std::string bytes;
  const FileStatus read = files.Read(file, bytes);
  if (read.Result == FileStatus::Code::Failed) return {read, false};
  StagedFile staged;
  if (read.IsOk()) {
    FileStatus written = files.Stage(backup, bytes, Durability::Durable, staged);
    if (!written.IsOk()) {
      written.File = backup;
      return {written, false};
    }
  }
  result.Status = change();
  result.Changed = result.Status.IsOk();
  if (!result.Changed && result.Status.File.empty()) result.Status.File = file;
  if (!read.IsOk()) return result;
  if (!result.Changed) {
    files.Discard(staged);
    return result;
  }
  result.Status = files.Commit(staged);
  if (!result.Status.IsOk()) result.Status.File = backup;
  return result;
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
