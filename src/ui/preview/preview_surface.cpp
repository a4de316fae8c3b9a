#include "ui/preview/preview_surface.h"

#include <QCoreApplication>
#include <QExposeEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <memory>
#include <utility>

#include "ui/preview/surface_format.h"

namespace tarvo::ui {

void PreviewSurface::WhenStarted(std::function<void()> then) {
  // Asked for once the thread has ended, whether it ends before or after this.
  auto once = std::make_shared<std::function<void()>>(std::move(then));
  const auto call = [once] {
    if (*once) std::exchange(*once, nullptr)();
  };
  if (start_) connect(start_.get(), &QThread::finished, this, call, Qt::QueuedConnection);
  if (!start_ || start_->isFinished()) QMetaObject::invokeMethod(this, call, Qt::QueuedConnection);
}

#ifdef Q_OS_WIN

void PreviewSurface::OnFrameSwapped(std::function<void()> swapped) {
  connect(this, &QOpenGLWidget::frameSwapped, std::move(swapped));
}

PreviewSurface::PreviewSurface(QWidget* under, std::function<void()> initialize, std::function<void()> paint)
    : QOpenGLWidget(under), initialize_(std::move(initialize)), paint_(std::move(paint)), holder_(this) {
  holder_->setFocusPolicy(Qt::NoFocus);
  holder_->setAttribute(Qt::WA_TransparentForMouseEvents);
  setFormat(PreviewSurfaceFormat(format()));
  // The widget makes its own context: the thread's only starts the driver.
  if (QOpenGLContext::supportsThreadedOpenGL()) {
    start_.reset(QThread::create([] {
      QOpenGLContext first;
      first.create();
    }));
    start_->start();
  }
}

PreviewSurface::~PreviewSurface() { AwaitStart(); }

void PreviewSurface::AwaitStart() {
  if (start_) start_->wait();
}

void PreviewSurface::DrawNow() { update(); }

// The widget's frame buffer is what the window shows whenever any of it is
// painted again, so nothing may be drawn into it unseen: no warm-up here.
void PreviewSurface::DrawUnseen(const std::function<void()>& /*draw*/) {}

#else

PreviewSurface::PreviewSurface(QWidget* under, std::function<void()> initialize, std::function<void()> paint)
    : initialize_(std::move(initialize)), paint_(std::move(paint)) {
  setSurfaceType(QSurface::OpenGLSurface);
  setFormat(PreviewSurfaceFormat(format()));
  setFlags(flags() | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
  holder_ = QWidget::createWindowContainer(this, under);
  holder_->setFocusPolicy(Qt::NoFocus);
  holder_->setAttribute(Qt::WA_TransparentForMouseEvents);
  // X11 contexts may be made on any thread; the context then moves to the
  // thread that draws with it.
  QThread* drawing = thread();
  start_.reset(QThread::create([this, drawing, format = format()] {
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(format);
    context->create();
    context->moveToThread(drawing);
    started_ = std::move(context);
  }));
  start_->start();
}

PreviewSurface::~PreviewSurface() {
  AwaitStart();
  if (context_ && context_->isValid()) {
    makeCurrent();
    context_.reset();  // tells those holding resources in it, while it is current
  }
}

void PreviewSurface::AwaitStart() {
  if (!start_) return;
  start_->wait();
  start_.reset();
  context_ = std::move(started_);
  if (!context_->isValid()) context_->create();  // once more here, where Qt reports why it fails
}

void PreviewSurface::OnFrameSwapped(std::function<void()> swapped) { swapped_ = std::move(swapped); }

void PreviewSurface::makeCurrent() {
  AwaitStart();
  context_->makeCurrent(this);
}

void PreviewSurface::doneCurrent() {
  if (context_) context_->doneCurrent();
}

bool PreviewSurface::Render() {
  AwaitStart();
  if (!context_->isValid() || !context_->makeCurrent(this)) return false;
  context_->functions()->glBindFramebuffer(GL_FRAMEBUFFER, context_->defaultFramebufferObject());
  if (!std::exchange(initialized_, true)) initialize_();
  paint_();
  return true;
}

void PreviewSurface::DrawNow() {
  if (!isExposed() || !Render()) return;  // drawn when it shows
  context_->swapBuffers(this);
  if (swapped_) swapped_();
}

void PreviewSurface::DrawUnseen(const std::function<void()>& draw) {
  if (!initialized_ || !isExposed() || !context_->makeCurrent(this)) return;
  context_->functions()->glBindFramebuffer(GL_FRAMEBUFFER, context_->defaultFramebufferObject());
  draw();
}

QImage PreviewSurface::grabFramebuffer() {
  if (!isExposed() || !Render()) return {};
  const QSize size = this->size() * devicePixelRatio();
  QImage picture(size, QImage::Format_RGBA8888);
  QOpenGLFunctions* gl = context_->functions();
  gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
  gl->glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, picture.bits());
  // OpenGL's rows run from the bottom; the alpha of a window means nothing.
  picture = picture.mirrored().convertToFormat(QImage::Format_RGB32);
  picture.setDevicePixelRatio(devicePixelRatio());
  return picture;
}

void PreviewSurface::exposeEvent(QExposeEvent* /*event*/) { DrawNow(); }

bool PreviewSurface::event(QEvent* event) {
  if (event->type() == QEvent::UpdateRequest) {
    DrawNow();
    return true;
  }
  return QWindow::event(event);
}

#endif

}  // namespace tarvo::ui
