#pragma once

#include <QFocusFrame>

#include "ui/control_widgets.h"

namespace tarvo::ui {

// A ring in the highlight colour just outside the control that holds the
// keyboard focus: every control shows the focus alike, the green, red and
// yellow buttons, the pane and the preview included, and keeps its own face.
class FocusRing final : public QFocusFrame {
 public:
  // Follows the focus over the controls of `widgets`; `form` is their window.
  FocusRing(const ControlWidgets& widgets, QWidget* form);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Follow(QWidget* focused);

  const ControlWidgets& widgets_;
};

}  // namespace tarvo::ui
