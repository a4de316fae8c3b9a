#pragma once

#include <QFrame>

#include "scene/scene_view.h"

namespace tarvo::ui {

// Stands in for the 3D preview: an empty white panel that ignores the scene.
class PlaceholderPreview final : public QFrame, public scene::SceneView {
 public:
  explicit PlaceholderPreview(QWidget* parent = nullptr);

  void Navigate(const std::filesystem::path&) override {}
  void Refresh() override {}
};

}  // namespace tarvo::ui
