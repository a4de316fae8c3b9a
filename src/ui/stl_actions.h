#pragma once

#include <QMenu>

#include "ui/form1.h"

namespace tarvo::ui {

// File → Export STL…: writes the form's current tool as a binary STL file
// chosen in a file dialog; enabled while the tool has an element.
QAction* AddStlExport(QMenu& fileMenu, Form1& form);

}  // namespace tarvo::ui
