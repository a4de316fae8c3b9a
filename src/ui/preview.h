#pragma once

#include <QWidget>
#include <concepts>

#include "scene/scene_view.h"

namespace tarvo::ui {

// The 3D preview TasterView: one widget that shows the scene file. The
// window places the widget and hands the view to the editor.
struct Preview {
  QWidget* Widget;
  scene::SceneView* View;
};

template <typename T>
requires std::derived_from<T, QWidget> && std::derived_from<T, scene::SceneView> Preview
PreviewOf(T* view) {
  return {view, view};
}

}  // namespace tarvo::ui
