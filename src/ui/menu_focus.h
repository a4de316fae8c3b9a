#pragma once

namespace tarvo::ui {

class MainWindow;

// After a menu of the menu bar closes without a command (Escape, or a click
// on its title), the keyboard focus goes back to the form's control that had
// it, and the menu bar leaves its keyboard mode: typed digits go on into the
// field. A command from the menu, or a dialog it opened, keeps the focus it
// gave. For the menus the window has when this is called.
void ReturnFocusAfterMenus(MainWindow& window);

}  // namespace tarvo::ui
