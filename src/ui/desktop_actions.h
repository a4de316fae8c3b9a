#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <filesystem>

class QMenuBar;

namespace tarvo::ui {

class MainWindow;

// What makes the window at home on the desktop: File → Copy definition and
// Open data folder, Help → Keyboard shortcuts and About TARVO Tools, and the
// status line below the form, updated after every command.
void AddDesktopActions(MainWindow& window);

// Every key the window knows, as (key, what it does): the shortcuts of the
// menu bar's actions, the keys that open its menus, then the form's own keys.
QList<QPair<QString, QString>> KeyboardShortcuts(const QMenuBar& menuBar);

// The About box's text: version, data folder and licences.
QString AboutText(const std::filesystem::path& dataFolder);

}  // namespace tarvo::ui
