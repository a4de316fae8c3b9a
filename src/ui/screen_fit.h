#pragma once

#include <QScrollArea>

namespace tarvo::ui {

// The designed form inside a scroll area without a frame of its own: the
// form fills the area and follows its size, and a scroll bar appears only
// where the area is smaller than the least size of the form.
class FormScrollArea final : public QScrollArea {
 public:
  FormScrollArea(QWidget* form, QWidget* parent);

  QSize sizeHint() const override;
};

// Gives `window` the size it asks for where the screen's free area has room
// for it, and otherwise as much as there is, and centres it with its frame,
// title bar included, inside that area; the user may then make it larger.
// The window manager's frame is only known once the window is on the
// screen: the first time the window is activated, the size and place are
// checked again with the real frame. The `cascade`-th of the program's
// windows open at once (from 0) sits that many title bars down and right of
// the centre, kept inside the free area.
void FitOnScreen(QWidget& window, int cascade = 0);

}  // namespace tarvo::ui
