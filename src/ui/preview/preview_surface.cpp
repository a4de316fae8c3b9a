#include "ui/preview/preview_surface.h"

#include <utility>

namespace tarvo::ui {

#ifdef Q_OS_WIN
PreviewSurface::PreviewSurface(QWidget* under, std::function<void()> initialize, std::function<void()> paint)
    : QOpenGLWidget(under), initialize_(std::move(initialize)), paint_(std::move(paint)), holder_(this) {
#else
PreviewSurface::PreviewSurface(QWidget* under, std::function<void()> initialize, std::function<void()> paint)
    : initialize_(std::move(initialize)), paint_(std::move(paint)) {
  setFlags(flags() | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
  holder_ = QWidget::createWindowContainer(this, under);
#endif
  holder_->setFocusPolicy(Qt::NoFocus);
  holder_->setAttribute(Qt::WA_TransparentForMouseEvents);
  // A depth buffer, and smooth edges where the driver offers multisampling.
  QSurfaceFormat surface = format();
  surface.setDepthBufferSize(24);
  surface.setSamples(4);
  setFormat(surface);
}

}  // namespace tarvo::ui
