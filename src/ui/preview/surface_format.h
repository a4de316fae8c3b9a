#pragma once

#include <QSurfaceFormat>

namespace tarvo::ui {

// The preview's OpenGL surface: a depth buffer, and smooth edges where the
// driver offers multisampling. Header-only, so that the benchmark's bare
// window (bench/window/floor_window.cpp) asks for the same without linking
// the preview.
inline QSurfaceFormat PreviewSurfaceFormat(QSurfaceFormat format = {}) {
  format.setDepthBufferSize(24);
  format.setSamples(4);
  return format;
}

}  // namespace tarvo::ui
