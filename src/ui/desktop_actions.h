#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <filesystem>
#include <string>

class QMenuBar;
class QWidget;

namespace tarvo::ui {

class Form1;
class MainWindow;

// How long a notice stays in a status line, unless the next command ends it.
inline constexpr int kNoticeMilliseconds = 5000;

// Shows a notice in the status line of the main window that holds `widget`.
void ShowNotice(QWidget& widget, const std::string& text);

// The folder of the form's files, where the save dialogs open.
QString DataFolderOf(const Form1& form);

// What makes the window at home on the desktop: File → Copy definition and
// Open data folder, Help → Keyboard shortcuts, Last messages and About TARVO
// Tools, and the status line below the form (StatusLineLabel), updated after
// every command, with the notice of an EXPORT until the next command.
void AddDesktopActions(MainWindow& window);

// Every key the window knows, as (key, what it does): the shortcuts of the
// menu bar's actions, the keys that open its menus, then the form's own keys.
QList<QPair<QString, QString>> KeyboardShortcuts(const QMenuBar& menuBar);

// The About box's text: version, data folder and licences.
QString AboutText(const std::filesystem::path& dataFolder);

}  // namespace tarvo::ui
