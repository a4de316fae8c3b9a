#pragma once

#include <QWidget>
#include <functional>

#ifdef Q_OS_WIN
#include <QOpenGLWidget>
#else
#include <QOpenGLWindow>
#endif

namespace tarvo::ui {

#ifdef Q_OS_WIN
// On Windows an OpenGL window inside a widget (a child window of its own)
// stays black or unexposed there; a widget that draws through OpenGL works.
using PreviewSurfaceBase = QOpenGLWidget;
#else
using PreviewSurfaceBase = QOpenGLWindow;
#endif

// The OpenGL surface of the 3D preview, held by a widget that covers the
// preview widget `under`. On Linux it is a window of its own, so that only
// the preview is drawn through OpenGL and the rest of the window keeps Qt's
// plain raster painting; on Windows it is a widget. It takes neither the
// focus nor the mouse: keys and clicks reach `under`.
class PreviewSurface : public PreviewSurfaceBase {
 public:
  // `initialize` and `paint` run with the surface's context current.
  PreviewSurface(QWidget* under, std::function<void()> initialize, std::function<void()> paint);

  // The widget in `under` that shows the surface.
  QWidget* Holder() const { return holder_; }

 protected:
  void initializeGL() override { initialize_(); }
  void paintGL() override { paint_(); }

 private:
  std::function<void()> initialize_, paint_;
  QWidget* holder_ = nullptr;
};

}  // namespace tarvo::ui
