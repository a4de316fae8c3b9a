#pragma once

#include <QString>
#include <string_view>

namespace tarvo::ui {

class MainWindow;

// The tool's history in the window: Edit → Undo (Ctrl+Z) and Redo
// (Ctrl+Shift+Z, Ctrl+Y), named after their steps and disabled when there is
// nothing to take back or do again; the definition pane's double-click and
// right-click menu (change, insert above, remove an element); File → Reopen
// unfinished tool.
void AddHistoryActions(MainWindow& window);

// The Step 3 caption of an element kind word for the tool's kind: "CYLINDER",
// "CONE", "SPHERE OR DISK", "POLYGON", "2 LEVELS POLYGON".
QString ElementCaption(std::string_view elementKind);

}  // namespace tarvo::ui
