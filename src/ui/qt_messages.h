#pragma once

namespace tarvo::ui {

// Qt's own warnings and notes (a missing XDG_RUNTIME_DIR, a font not found)
// reach standard error only when `verbose`; its fatal errors always do.
// Called before the application object exists, which may already warn.
void ShowQtMessages(bool verbose);

}  // namespace tarvo::ui
