#include "ui/desktop_actions.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "editor/status_line.h"
#include "ui/main_window.h"
#include "ui/probe_choice.h"
#include "ui/qt_text.h"

namespace tarvo::ui {
namespace {

std::filesystem::path DataFolder(const Form1& form) {
  return form.Editor().Scene().DefinitionPath().parent_path();
}

// Opens the folder in the desktop's file manager; false when there is none.
// Qt's own warning about that is left out: the caller tells the user.
bool OpenInFileManager(const QString& folder) {
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  const bool opened = QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
  qInstallMessageHandler(previous);
  return opened;
}

void OpenDataFolder(MainWindow& window) {
  const QString folder = DataFolderOf(window.Form());
  if (OpenInFileManager(folder)) return;
  auto* box = new QMessageBox(QMessageBox::Information, QObject::tr("Open data folder"),
                              ToQString(editor::NoFileManagerMessage(ToUtf8(folder))), QMessageBox::Ok,
                              &window);
  box->setObjectName(QStringLiteral("DataFolderBox"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setTextFormat(Qt::PlainText);
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box->open();
}

void AddShortcutsOf(const QMenu& menu, QList<QPair<QString, QString>>& keys) {
  for (const QAction* action : menu.actions()) {
    if (action->menu()) AddShortcutsOf(*action->menu(), keys);
    for (const QKeySequence& key : action->shortcuts()) {
      keys.append({key.toString(QKeySequence::NativeText), action->iconText()});
    }
  }
}

void ShowKeyboardShortcuts(MainWindow& window) {
  if (auto* shown = window.findChild<QDialog*>(QStringLiteral("KeyboardShortcuts"))) {
    shown->raise();
    shown->activateWindow();
    return;
  }
  const QList<QPair<QString, QString>> keys = KeyboardShortcuts(*window.menuBar());
  auto* dialog = new QDialog(&window);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setObjectName(QStringLiteral("KeyboardShortcuts"));
  dialog->setWindowTitle(QObject::tr("Keyboard shortcuts"));
  auto* table = new QTableWidget(static_cast<int>(keys.size()), 2, dialog);
  table->setHorizontalHeaderLabels({QObject::tr("Key"), QObject::tr("Action")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int row = 0; row < keys.size(); ++row) {
    table->setItem(row, 0, new QTableWidgetItem(keys[row].first));
    table->setItem(row, 1, new QTableWidgetItem(keys[row].second));
  }
  table->resizeColumnsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  auto* layout = new QVBoxLayout(dialog);
  layout->addWidget(table);
  dialog->resize(520, 420);
  dialog->show();
}

void ShowAbout(MainWindow& window) {
  auto* box = new QMessageBox(QMessageBox::Information, QObject::tr("About TARVO Tools"),
                              AboutText(DataFolder(window.Form())), QMessageBox::Ok, &window);
  box->setObjectName(QStringLiteral("AboutBox"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setTextFormat(Qt::RichText);
  box->open();
}

void AddStatusLine(MainWindow& window) {
  // A limit of the chosen probe that the tool passes, in red before the rest.
  auto* limits = new QLabel(&window);
  limits->setObjectName(QStringLiteral("LimitNotice"));
  limits->setTextFormat(Qt::PlainText);
  limits->setStyleSheet(QStringLiteral("color: red"));
  limits->hide();
  window.statusBar()->addWidget(limits);
  auto* label = new QLabel(&window);
  label->setObjectName(QStringLiteral("StatusLine"));
  // The folder may be long: the line never widens the window.
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  label->setTextFormat(Qt::PlainText);
  window.statusBar()->addWidget(label, 1);
  window.statusBar()->setSizeGripEnabled(false);
  auto update = [label, limits, &window, commands = window.Form().Editor().Commands()]() mutable {
    const editor::Editor& editor = window.Form().Editor();
    const std::optional<std::string> passed = editor::LimitNotice(editor);
    limits->setText(passed ? ToQString(*passed) : QString());
    limits->setVisible(passed.has_value());
    QString text = ToQString(editor::StatusLine(editor, false));
    if (!window.PreviewNote().isEmpty()) text = window.PreviewNote() + QStringLiteral(" | ") + text;
    label->setText(text);
    label->setToolTip(text);
    if (editor.Commands() == commands) return;  // typing or a focus change
    commands = editor.Commands();
    window.statusBar()->clearMessage();
    if (const auto notice = editor::ExportNotice(editor)) ShowNotice(window, *notice);
  };
  QObject::connect(&window.Form(), &Form1::commandRun, label, update);
  QObject::connect(&window, &MainWindow::previewNoteChanged, label, update);
  // The probe and materials chosen last follow into the status line.
  const auto choose = [&window] {
    const ProbeChoice choice = RememberedChoice(DataFolder(window.Form()));
    window.Form().ChooseProbe(choice.Materials, choice.Probe);
  };
  QObject::connect(&ProbeChoiceSignal::Instance(), &ProbeChoiceSignal::changed, label, choose);
  choose();
  update();
}

}  // namespace

void ShowNotice(QWidget& widget, const std::string& text) {
  if (auto* window = qobject_cast<QMainWindow*>(widget.window()))
    window->statusBar()->showMessage(ToQString(text), kNoticeMilliseconds);
}

QString DataFolderOf(const Form1& form) { return QString::fromStdString(DataFolder(form).string()); }

QList<QPair<QString, QString>> KeyboardShortcuts(const QMenuBar& menuBar) {
  QList<QPair<QString, QString>> keys;
  for (const QAction* action : menuBar.actions()) {
    if (action->menu()) AddShortcutsOf(*action->menu(), keys);
  }
  for (const QAction* action : menuBar.actions()) {
    const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
    if (!mnemonic.isEmpty()) {
      keys.append({mnemonic.toString(QKeySequence::NativeText),
                   QObject::tr("Open the %1 menu").arg(action->iconText())});
    }
  }
  keys.append({QStringLiteral("Tab"), QObject::tr("Next field or button")});
  keys.append({QStringLiteral("Shift+Tab"), QObject::tr("Previous field or button")});
  keys.append({QStringLiteral("Space"), QObject::tr("Press the button, option or box that has the focus")});
  keys.append({QStringLiteral("Alt+Down"), QObject::tr("Open the list of the connection type or edge count")});
  return keys;
}

QString AboutText(const std::filesystem::path& dataFolder) {
  return QObject::tr(
             "<h3>TARVO Tools %1</h3>"
             "<p>Builds the definition of a probe stylus element by element, with a 3D "
             "preview, and exports it to usrprobe.dat.</p>"
             "<p>Data folder: %2</p>"
             "<p>TARVO Tools is free software under the MIT licence.<br>"
             "The 3D preview uses Coin, under the BSD licence (BSD-3-Clause).<br>"
             "The window uses Qt %3, under the GNU LGPL version 3 (LGPL-3.0).</p>")
      .arg(QStringLiteral(TARVO_VERSION),
           QString::fromStdString(dataFolder.string()).toHtmlEscaped(),
           QString::fromLatin1(qVersion()));
}

void AddDesktopActions(MainWindow& window) {
  QMenu* file = window.FileMenu();
  QAction* first = file->actions().value(0);  // the new actions go above Exit
  QAction* copy = new QAction(QObject::tr("&Copy definition"), file);
  copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  QObject::connect(copy, &QAction::triggered, &window, [&window] {
    // The line ends of the file: CR LF.
    const editor::CopiedDefinition copied = editor::DefinitionToCopy(window.Form().Editor());
    if (!copied.Text.empty()) QApplication::clipboard()->setText(ToQString(copied.Text));
    ShowNotice(window, copied.Notice);
  });
  QAction* open = new QAction(QObject::tr("&Open data folder"), file);
  QObject::connect(open, &QAction::triggered, &window, [&window] { OpenDataFolder(window); });
  file->insertActions(first, {copy, open});
  file->insertSeparator(first);

  QMenu* help = window.HelpMenu();
  QObject::connect(help->addAction(QObject::tr("&Keyboard shortcuts")), &QAction::triggered,
                   &window, [&window] { ShowKeyboardShortcuts(window); });
  QObject::connect(help->addAction(QObject::tr("&About TARVO Tools")), &QAction::triggered, &window,
                   [&window] { ShowAbout(window); });

  AddStatusLine(window);
}

}  // namespace tarvo::ui
