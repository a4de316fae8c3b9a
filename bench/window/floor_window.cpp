// floor_window: what the libraries under the preview hold before the program
// does anything. A bare Qt window with an OpenGL surface of the preview's
// format (PreviewSurfaceFormat) and size, cleared and shown once; prints
// "drawn" and then waits for a line on standard input, so that
// window_bench.py reads its memory while it stands.
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QWindow>
#include <cstdio>
#include <iostream>
#include <string>

#include "ui/preview/surface_format.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QWindow window;
  window.setSurfaceType(QSurface::OpenGLSurface);
  const QSurfaceFormat format = tarvo::ui::PreviewSurfaceFormat();
  window.setFormat(format);
  window.resize(467, 592);  // the preview at 1280x1024
  window.show();
  QOpenGLContext context;
  context.setFormat(format);
  if (!context.create()) return 1;
  while (!window.isExposed()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  if (!context.makeCurrent(&window)) return 1;
  QOpenGLFunctions* gl = context.functions();
  gl->glClearColor(1, 1, 0.725F, 1);
  gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  context.swapBuffers(&window);
  gl->glFinish();
  std::puts("drawn");
  std::fflush(stdout);
  std::string line;
  std::getline(std::cin, line);
  return 0;
}
