#pragma once

#include <string>
#include <vector>

#include "scene/memory_file_system.h"
#include "scene/scene_view.h"

namespace tarvo::testing {

using scene::MemoryFileSystem;

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
