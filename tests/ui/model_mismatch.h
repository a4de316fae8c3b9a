#pragma once

#include <QString>

#include "ui/form1.h"

namespace tarvo::ui::test {

// The first way in which the window's widgets differ from its window model
// (visibility, enabled state, text or caption, selection, list, focus and the
// focused box's selected text), or an empty text when they agree.
QString ModelMismatch(const Form1& window);

// After a command or an option's action: the text box that has the focus
// shows its whole text selected, so that typing replaces it. An empty text
// when it does, or when no text box has the focus.
QString FocusedTextNotSelected(const Form1& window);

}  // namespace tarvo::ui::test
