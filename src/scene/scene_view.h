#pragma once

#include <filesystem>

namespace tarvo::scene {

// The 3D preview that shows the scene file.
class SceneView {
 public:
  virtual ~SceneView() = default;
  // Shows the scene file at this path.
  virtual void Navigate(const std::filesystem::path& file) = 0;
  // Loads the shown scene file afresh from disk.
  virtual void Refresh() = 0;
};

// No preview at all: the replay driver and the core tests.
class NoSceneView final : public SceneView {
 public:
  void Navigate(const std::filesystem::path&) override {}
  void Refresh() override {}
};

}  // namespace tarvo::scene
