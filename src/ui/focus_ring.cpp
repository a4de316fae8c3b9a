#include "ui/focus_ring.h"

#include <QApplication>
#include <QPainter>

namespace tarvo::ui {

namespace {

// The ring's inner edge: the control's own rectangle within the ring.
QRect Inside(const QFocusFrame& ring) {
  const QWidget* control = ring.widget();
  if (control == nullptr) return {};
  const int x = (ring.width() - control->width()) / 2;
  const int y = (ring.height() - control->height()) / 2;
  return {QPoint(x, y), control->size()};
}

}  // namespace

FocusRing::FocusRing(const ControlWidgets& widgets, QWidget* form)
    : QFocusFrame(form), widgets_(widgets) {
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget* /*old*/, QWidget* now) { Follow(now); });
}

void FocusRing::Follow(QWidget* focused) {
  const std::optional<editor::ControlId> id = widgets_.FocusedAs(focused);
  setWidget(id ? widgets_.Widget(*id) : nullptr);
}

void FocusRing::paintEvent(QPaintEvent* /*event*/) {
  QPainter(this).fillRect(rect(), palette().color(QPalette::Highlight));  // the mask keeps the ring
}

// Only the ring itself covers the window: the control inside stays as it is
// drawn, also where it draws itself, as the preview does.
void FocusRing::resizeEvent(QResizeEvent* event) {
  QFocusFrame::resizeEvent(event);
  setMask(QRegion(rect()).subtracted(Inside(*this)));
}

}  // namespace tarvo::ui
