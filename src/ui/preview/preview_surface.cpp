#include "ui/preview/preview_surface.h"

#include <utility>

namespace tarvo::ui {

PreviewSurface::PreviewSurface(std::function<void()> initialize, std::function<void()> paint)
    : initialize_(std::move(initialize)), paint_(std::move(paint)) {
  setFlags(flags() | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
  // A depth buffer, and smooth edges where the driver offers multisampling.
  QSurfaceFormat surface = format();
  surface.setDepthBufferSize(24);
  surface.setSamples(4);
  setFormat(surface);
}

}  // namespace tarvo::ui
