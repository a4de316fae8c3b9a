#pragma once

#include <QImage>
#include <QThread>
#include <QWidget>
#include <functional>
#include <memory>

#ifdef Q_OS_WIN
#include <QOpenGLWidget>
#else
#include <QOpenGLContext>
#include <QWindow>
#endif

namespace tarvo::ui {

#ifdef Q_OS_WIN
// On Windows an OpenGL window inside a widget (a child window of its own)
// stays black or unexposed there; a widget that draws through OpenGL works.
using PreviewSurfaceBase = QOpenGLWidget;
#else
using PreviewSurfaceBase = QWindow;
#endif

// The OpenGL surface of the 3D preview, held by a widget that covers the
// preview widget `under`. On Linux it is a window of its own, so that only
// the preview is drawn through OpenGL and the rest of the window keeps Qt's
// plain raster painting; on Windows it is a widget. It takes neither the
// focus nor the mouse: keys and clicks reach `under`.
//
// Setting OpenGL up is the slow part of the start: the system's first
// context loads the driver, and a software renderer compiles code for each
// new context. So the surface starts that on a thread of its own while the
// window around it is built (on Linux the thread makes the very context the
// surface draws with) and the first frame waits for it.
class PreviewSurface : public PreviewSurfaceBase {
 public:
  // `initialize` and `paint` run with the surface's context current.
  PreviewSurface(QWidget* under, std::function<void()> initialize, std::function<void()> paint);
  ~PreviewSurface() override;

  // The widget in `under` that shows the surface.
  QWidget* Holder() const { return holder_; }
  // Returns once OpenGL has been set up beside the window.
  void AwaitStart();
  // Calls `then` from the event loop once OpenGL has been set up.
  void WhenStarted(std::function<void()> then);

  // Calls `swapped` after each frame is shown.
  void OnFrameSwapped(std::function<void()> swapped);

  // Runs `draw` with the surface's context current, into a frame that is
  // never shown: the next frame is drawn whole before it shows. On Windows
  // it does nothing (see there).
  void DrawUnseen(const std::function<void()>& draw);

  // Draws the surface at once, where update() leaves the frame to the
  // platform's next update request: on X11 that waits some idle time (5 ms)
  // first, a third of the frame an edit has.
  void DrawNow();

#ifndef Q_OS_WIN
  // As QOpenGLWindow has them; the frame is drawn into the back buffer and
  // shown by swapping it.
  void update() { requestUpdate(); }
  // Null until AwaitStart.
  QOpenGLContext* context() const { return context_.get(); }
  void makeCurrent();
  void doneCurrent();
  // The surface as drawn now: a frame drawn afresh and read before it is shown.
  QImage grabFramebuffer();

 protected:
  void exposeEvent(QExposeEvent* event) override;
  bool event(QEvent* event) override;
#else
 protected:
  void initializeGL() override { initialize_(); }
  void paintGL() override { paint_(); }
#endif

 private:
#ifndef Q_OS_WIN
  // Draws a frame with the surface's context current; false without one.
  bool Render();
  std::unique_ptr<QOpenGLContext> context_;
  std::unique_ptr<QOpenGLContext> started_;  // made by the thread, taken by AwaitStart
  bool initialized_ = false;
#endif
  std::function<void()> initialize_, paint_, swapped_;
  QWidget* holder_ = nullptr;
  std::unique_ptr<QThread> start_;
};

}  // namespace tarvo::ui
