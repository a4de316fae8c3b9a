#include "placeholder_preview.h"

#include <QPalette>

namespace tarvo::ui {

PlaceholderPreview::PlaceholderPreview(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setFocusPolicy(Qt::StrongFocus);  // the preview has its place in the tab order
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);
}

}  // namespace tarvo::ui
