#pragma once

#include <QRect>
#include <QSize>

#include "editor/controls.h"

namespace tarvo::ui {

// The designed client area: the size the window opens at where the screen
// has room for it.
inline constexpr QSize kClientSize{959, 860};

// What the arrangement depends on: the form's size and whether Step 1, the
// frame of Step 2 and DELETE ALL or DELETE LAST are shown.
struct FormRoom {
  QSize Size = kClientSize;
  bool Step1Shown = true;
  bool Step2RowShown = true;    // the frame of Step 2, DELETE ALL or DELETE LAST
  bool Step2FrameShown = true;  // the frame of Step 2 itself
};

// Where a control sits in its container. As designed: Step 1 across the
// top; Step 2 below it with DELETE ALL and DELETE LAST to its right; Step 3
// across the window; Step 4 with CONFIRM under it and the definition pane in
// the left half; the preview with EXPORT and EXIT under it in the right
// half. While Step 1 or the frame of Step 2 is hidden the steps below move
// up into its room; DELETE ALL and DELETE LAST, without the frame of Step 2
// beside them, then share the top of the preview's column (the preview
// keeps its place), so that no row stays empty but for them and the
// definition pane has the room. The
// preview takes the room beyond the designed width and height; the
// definition pane grows and shrinks in height with it; Steps 1 and 3 span
// the width, DELETE ALL and DELETE LAST keep to the right edge.
QRect Geometry(editor::ControlId id, const FormRoom& room = {});

// The smallest form that shows every control: the steps at their designed
// sizes and a definition pane of a few lines.
QSize MinimumSize(const FormRoom& room);

}  // namespace tarvo::ui
