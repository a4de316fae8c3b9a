#pragma once

#include <QOpenGLWindow>
#include <functional>

namespace tarvo::ui {

// The OpenGL surface of the 3D preview: a window of its own inside the
// preview widget, so that only the preview is drawn through OpenGL and the
// rest of the window keeps Qt's plain raster painting. It takes neither the
// focus nor the mouse: keys and clicks reach the preview widget under it.
class PreviewSurface : public QOpenGLWindow {
  Q_OBJECT

 public:
  // `initialize` and `paint` run with the surface's context current.
  PreviewSurface(std::function<void()> initialize, std::function<void()> paint);

 protected:
  void initializeGL() override { initialize_(); }
  void paintGL() override { paint_(); }

 private:
  std::function<void()> initialize_, paint_;
};

}  // namespace tarvo::ui
