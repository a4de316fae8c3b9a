#pragma once

#include <QAction>
#include <QMenu>

#include "ui/form1.h"

namespace tarvo::ui {

// File → Tool data sheet… (Ctrl+P): the sheet of the tool under way in a
// preview dialog, once it has an element. It goes right below `above`.
QAction* AddDataSheet(QMenu& fileMenu, Form1& form, QAction* above);

// File → Probes…: the probes of the data folder (see probes_dialog.h), right
// below `above`.
QAction* AddProbes(QMenu& fileMenu, Form1& form, QAction* above);

}  // namespace tarvo::ui
