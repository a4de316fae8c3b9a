#pragma once

#include <map>
#include <set>
#include <string>

#include "scene/file_system.h"
#include "scene/scene_view.h"

namespace tarvo::testing {

// Files in memory, with faults to inject: a path listed in FailingPaths
// refuses every write, copy or append that targets it (as a directory in
// its place would), and ShortAppends makes appends come back short.
class MemoryFileSystem final : public scene::FileSystem {
 public:
  scene::FileStatus Write(const std::filesystem::path& file, std::string_view bytes) override {
    if (FailingPaths.contains(file.string())) return scene::FileStatus::Failure("Is a directory");
    Files[file.string()] = std::string(bytes);
    return scene::FileStatus::Ok();
  }
  scene::FileStatus Append(const std::filesystem::path& file, std::string_view bytes) override {
    if (FailingPaths.contains(file.string())) return scene::FileStatus::Failure("Is a directory");
    if (ShortAppends) return scene::FileStatus::Failure("No space left on device");
    Files[file.string()] += bytes;
    return scene::FileStatus::Ok();
  }
  scene::FileStatus Copy(const std::filesystem::path& from, const std::filesystem::path& to) override {
    const auto source = Files.find(from.string());
    if (source == Files.end()) return scene::FileStatus::Missing();
    scene::FileStatus written = Write(to, source->second);
    if (!written.IsOk()) written.File = to;
    return written;
  }

  bool Has(const std::string& file) const { return Files.contains(file); }
  const std::string& Read(const std::string& file) const { return Files.at(file); }

  std::map<std::string, std::string> Files;
  std::set<std::string> FailingPaths;
  bool ShortAppends = false;
};

// Records what the core asks of the preview.
class RecordingSceneView final : public scene::SceneView {
 public:
  void Navigate(const std::filesystem::path& file) override { Log += "navigate " + file.string() + ";"; }
  void Refresh() override { Log += "refresh;"; }
  std::string Log;
};

// The lines of a text whose every line ends in CR LF, without their ends;
// "<no CR LF>" stands for a last line without one.
inline std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back("<no CR LF>");
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

}  // namespace tarvo::testing
