#pragma once

#include <QScrollArea>

namespace tarvo::ui {

// The designed form inside a scroll area without a frame of its own: the
// area asks for the form's whole size, and a scroll bar appears only where
// the window is smaller than the form.
class FormScrollArea final : public QScrollArea {
 public:
  FormScrollArea(QWidget* form, QWidget* parent);

  QSize sizeHint() const override;
};

// Gives `window` the size it asks for where the screen's free area has room
// for it, and otherwise as much as there is (the scroll area's bars then
// reach the rest), and centres it with its frame, title bar included, inside
// that area. The window manager's frame is only known once the window is on
// the screen: the first time the window is activated, the size and place
// are checked again with the real frame.
void FitOnScreen(QWidget& window);

}  // namespace tarvo::ui
