#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/files.h"
#include "platform/text.h"

namespace tarvo::scene {

using platform::Durability;
using platform::FileStatus;
using platform::FileSystem;

// Files in memory: the editor's files when a tool is rebuilt to prove its
// script, and the tests' files. Faults can be injected: a path listed in
// FailingPaths refuses every write, copy or append that targets it (as a
// directory in its place would), and ShortAppends makes appends come back short.
class MemoryFileSystem final : public FileSystem {
 public:
  FileStatus Write(const std::filesystem::path& file, std::string_view bytes, Durability) override {
    if (FailingPaths.contains(platform::PathText(file))) return FileStatus::Failure("Is a directory");
    Files[platform::PathText(file)] = std::string(bytes);
    BytesWritten += bytes.size();
    return FileStatus::Ok();
  }
  FileStatus Append(const std::filesystem::path& file, std::string_view bytes, Durability) override {
    if (FailingPaths.contains(platform::PathText(file))) return FileStatus::Failure("Is a directory");
    if (ShortAppends) return FileStatus::Failure("No space left on device");
    Files[platform::PathText(file)] += bytes;
    BytesWritten += bytes.size();
    return FileStatus::Ok();
  }
  FileStatus Copy(const std::filesystem::path& from, const std::filesystem::path& to,
                  Durability durability) override {
    const auto source = Files.find(platform::PathText(from));
    if (source == Files.end()) return FileStatus::Missing();
    FileStatus written = Write(to, source->second, durability);
    if (!written.IsOk()) written.File = to;
    return written;
  }
  FileStatus Read(const std::filesystem::path& file, std::string& bytes) override {
    const auto found = Files.find(platform::PathText(file));
    if (found == Files.end()) return FileStatus::Missing();
    bytes = found->second;
    return FileStatus::Ok();
  }

  FileStatus Stage(const std::filesystem::path& file, std::string_view bytes, Durability,
                   platform::StagedFile& staged) override {
    if (FailingPaths.contains(platform::PathText(file))) return FileStatus::Failure("Is a directory");
    staged = {file.parent_path() / ("." + platform::PathText(file.filename()) + ".tmp"), file, {}};
    Files[platform::PathText(staged.Temporary)] = std::string(bytes);
    BytesWritten += bytes.size();
    return FileStatus::Ok();
  }
  FileStatus Commit(const platform::StagedFile& staged) override {
    const auto temporary = Files.extract(platform::PathText(staged.Temporary));
    if (temporary.empty()) return FileStatus::Missing();
    Files[platform::PathText(staged.File)] = temporary.mapped();
    return FileStatus::Ok();
  }
  void Discard(const platform::StagedFile& staged) override { Files.erase(platform::PathText(staged.Temporary)); }

  bool Has(const std::string& file) const { return Files.contains(file); }
  const std::string& Read(const std::string& file) const { return Files.at(file); }

  std::map<std::string, std::string> Files;
  std::set<std::string> FailingPaths;
  bool ShortAppends = false;
  std::size_t BytesWritten = 0;  // by every write, append and copy: the file work done
};

}  // namespace tarvo::scene
