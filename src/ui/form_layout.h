#pragma once

#include <QRect>
#include <QSize>

#include "editor/controls.h"

namespace tarvo::ui {

// The window's fixed client area.
inline constexpr QSize kClientSize{959, 860};

// Where a control sits in its container: Step 1 across the top; Step 2 below
// it with DELETE ALL and DELETE LAST to its right; Step 3 across the window;
// Step 4 with CONFIRM under it and the definition pane in the left half; the
// preview with EXPORT and EXIT under it in the right half.
QRect Geometry(editor::ControlId id);

}  // namespace tarvo::ui
