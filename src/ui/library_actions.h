#pragma once

#include "ui/library_window.h"
#include "ui/main_window.h"

namespace tarvo::ui {

// File → Tool library… (Ctrl+L): opens the library window of the main
// window's folder, whose Edit loads a tool into the form as
// `tarvo-replay --edit` does. While a tool is edited, the title says so after
// the fixed title. `makePreview` makes the library window's 3D view.
void AddLibraryActions(MainWindow& window, LibraryWindow::PreviewFactory makePreview);

// Loads the tool at `position` of the library window into the form, asking
// first when a tool is under way; false when nothing was loaded.
bool EditTool(MainWindow& window, LibraryWindow& library, int position);

// Types an assembly's one tool into the form, asking first when a tool is
// under way, and presses EXPORT; false when nothing was exported.
bool WriteStack(MainWindow& window, LibraryWindow& library, const QString& name,
                const library::OneToolScript& script);

}  // namespace tarvo::ui
