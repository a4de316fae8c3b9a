#pragma once

#include <QString>

namespace tarvo::ui {

class MainWindow;
class TasterView;

// Puts the 3D preview's views into the window's View menu and "Save preview
// picture…" into its File menu, brings the preview back to the reset view
// when a new tool starts (NEW TOOL, DELETE ALL), and notes in the status line
// when the scene file cannot be shown.
// The window's Form1 must drive this view.
void AddPreviewMenus(MainWindow& window, TasterView& view);

// Writes what the preview shows as a PNG picture at its size on screen;
// false when there is no picture yet or the file cannot be written.
bool SavePreviewPicture(TasterView& view, const QString& file);

}  // namespace tarvo::ui
