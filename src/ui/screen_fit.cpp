#include "ui/screen_fit.h"

#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace tarvo::ui {

namespace {

// The frame around a window that is on the screen; nothing before.
QMargins FrameOf(const QWidget& window) {
  const QRect inner = window.geometry();
  const QRect outer = window.frameGeometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

// Until the real frame is known: a title bar and thin borders.
QMargins GuessedFrame(const QWidget& window) {
  const int border = 4;
  return {border, window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border};
}

void Fit(QWidget& window, const QMargins& frame, int cascade) {
  const QRect available = window.screen()->availableGeometry();
  window.resize(window.sizeHint().boundedTo(available.size().shrunkBy(frame)));
  // Centred on the client area as designed, then moved (with its frame) into the free area.
  const QSize outer = window.size().grownBy(frame);
  // The n-th window at once opens n title bars down and right of the first.
  const int step = std::max(frame.top(), 24);
  const QPoint centred = available.center() - window.rect().center() + QPoint(cascade * step, cascade * step);
  const auto inside = [](int at, int first, int last) {
    return std::max(first, std::min(at, last));
  };
  window.move(inside(centred.x(), available.left(), available.right() + 1 - outer.width()),
              inside(centred.y(), available.top(), available.bottom() + 1 - outer.height()));
}

// Fits the window again, with its real frame, when it is first activated,
// unless it already lies inside the free area at the size it asks for.
class RefitOnActivation final : public QObject {
 public:
  RefitOnActivation(QWidget& window, int cascade) : QObject(&window), cascade_(cascade) {
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::WindowActivate) return false;
    auto& window = *static_cast<QWidget*>(watched);
    const QRect available = window.screen()->availableGeometry();
    if (!available.contains(window.frameGeometry()) || window.size() != window.sizeHint()) {
      Fit(window, FrameOf(window), cascade_);
    }
    window.removeEventFilter(this);
    deleteLater();
    return false;
  }

 private:
  int cascade_;
};

}  // namespace

FormScrollArea::FormScrollArea(QWidget* form, QWidget* parent) : QScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setWidget(form);
}

QSize FormScrollArea::sizeHint() const { return widget()->sizeHint(); }

void FitOnScreen(QWidget& window, int cascade) {
  const QMargins frame = window.isVisible() ? FrameOf(window) : GuessedFrame(window);
  Fit(window, frame, cascade);
  if (!window.isVisible()) new RefitOnActivation(window, cascade);
}

}  // namespace tarvo::ui
