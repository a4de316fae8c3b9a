#pragma once

#include <optional>

#include "editor/window_model.h"
#include "ui/control_widgets.h"

namespace tarvo::ui {

// Brings every widget in line with the window model: captions and texts,
// lists, the selected options and the check box, visibility, enabled state,
// the focus and the focused box's selected text. Signals stay blocked, so
// nothing of this reaches the editor. `typedInto` is the box the user is
// typing into: it already shows the typed text and keeps its caret.
void SyncWidgets(const editor::WindowModel& model, const ControlWidgets& widgets,
                 std::optional<editor::ControlId> typedInto = std::nullopt);

}  // namespace tarvo::ui
