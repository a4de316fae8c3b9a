#pragma once

#include <string>

#include "platform/text.h"
#include "scene/memory_file_system.h"
#include "scene/scene_view.h"

namespace tarvo::testing {

using scene::MemoryFileSystem;

// Records what the core asks of the preview.
class RecordingSceneView final : public scene::SceneView {
 public:
  void Navigate(const std::filesystem::path& file) override { Log += "navigate " + platform::PathText(file) + ";"; }
  void Refresh() override { Log += "refresh;"; }
  std::string Log;
};

}  // namespace tarvo::testing
