#include "ui/focusing_click_filter.h"

#include <QFocusEvent>

namespace tarvo::ui {

bool FocusingClickFilter::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
      // The application gives the focus before it delivers the press.
      if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
        focusedByMouse_ = watched;
      return false;
    case QEvent::FocusOut:
      if (watched == focusedByMouse_) focusedByMouse_ = nullptr;
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (watched != focusedByMouse_) return watched == swallowing_;
      focusedByMouse_ = nullptr;
      swallowing_ = watched;
      return true;
    case QEvent::MouseMove: return watched == swallowing_;
    case QEvent::MouseButtonRelease:
      if (watched != swallowing_) return false;
      swallowing_ = nullptr;
      return true;
    default: return false;
  }
}

}  // namespace tarvo::ui
