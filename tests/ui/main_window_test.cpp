// The main window's menus and status line, driven like a user.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>

#include "editor/status_line.h"
#include "message_box_answerer.h"
#include "placeholder_preview.h"
#include "ui/desktop_actions.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

using enum tarvo::editor::ControlId;
using tarvo::editor::ControlId;
using tarvo::ui::MainWindow;

// Takes the URLs that File → Open data folder asks the desktop to open.
class UrlRecorder : public QObject {
  Q_OBJECT

 public slots:
  void open(const QUrl& url) { Opened.append(url); }

 public:
  QList<QUrl> Opened;
};

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { window_.reset(); }

  void statusLineShowsTheFiguresAfterEveryCommand();
  void copyDefinitionTakesThePaneWithCrLf();
  void openDataFolderOpensTheFolder();
  void keyboardShortcutsListEveryKeyOfTheMenus();
  void aboutNamesVersionFolderAndLicences();
  void exitWorksWhileThePaneHasTheFocus();

 private:
  QWidget* Control(ControlId id) const {
    const std::string_view name = tarvo::editor::Row(id).Name;
    return window_->findChild<QWidget*>(QString::fromLatin1(name.data(), name.size()));
  }
  void Click(ControlId id) { QTest::mouseClick(Control(id), Qt::LeftButton); }
  void Type(ControlId id, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(Control(id));
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  QAction* MenuAction(QMenu* menu, const QString& text) const {
    for (QAction* action : menu->actions()) {
      if (action->iconText() == text) return action;
    }
    return nullptr;
  }
  QString Status() const { return window_->findChild<QLabel*>(QStringLiteral("StatusLine"))->text(); }
  QString Folder() const { return directory_.path(); }

  QTemporaryDir directory_;
  tarvo::numbers::FixedLocaleQuery locale_{"."};
  tarvo::ui::test::MessageBoxAnswerer messages_;
  std::unique_ptr<MainWindow> window_;
};

void MainWindowTest::init() {
  window_ = std::make_unique<MainWindow>(QFile::encodeName(directory_.path()).toStdString(),
                                         tarvo::ui::PreviewOf(new tarvo::ui::PlaceholderPreview),
                                         locale_);
  window_->Load();
  window_->show();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void MainWindowTest::statusLineShowsTheFiguresAfterEveryCommand() {
  QCOMPARE(Status(), "Elements 0 of 50 | Lines 0 of 200 | Length 0 | " + Folder());
  Type(Tb_ToolName, QStringLiteral("ST1"));
  Click(Cmd_NewTool);
  Click(Cmd_Add);
  Type(Tb_Height, QStringLiteral("20"));
  Type(Tb_Diam, QStringLiteral("6"));
  Click(Cmd_Confirm);
  QCOMPARE(Status(), "Elements 1 of 50 | Lines 5 of 200 | Length 20 | " + Folder());
  Click(Ob_Sphere);
  Type(Tb_Diam, QStringLiteral("3"));
  Click(Cmd_Confirm);
  QCOMPARE(Status(), QString::fromUtf8("Elements 2 of 50 | Lines 8 of 200 | Length 20 | ball \u00D83 | ") +
                         Folder());
  QCOMPARE(Status(), tarvo::ui::ToQString(tarvo::editor::StatusLine(window_->Form().Editor())));
  Click(Cmd_Export);
  // The same name again: a notice in the status line, no message box.
  messages_.TakeShown();
  Type(Tb_ToolName, QStringLiteral("ST1"));
  Click(Cmd_NewTool);
  QVERIFY(Status().startsWith(QStringLiteral("A tool named ST1 is already in usrprobe.dat. | ")));
  QVERIFY(messages_.TakeShown().isEmpty());
  QVERIFY(Control(Cmd_Add)->isVisible());
}

void MainWindowTest::copyDefinitionTakesThePaneWithCrLf() {
  Type(Tb_ToolName, QStringLiteral("ST1"));
  Click(Cmd_NewTool);
  Click(Cmd_Add);
  Control(RTB_Tool)->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(QApplication::clipboard()->text(),
           QStringLiteral("ITEM:ST1 TARVO1\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\n"));
}

void MainWindowTest::openDataFolderOpensTheFolder() {
  UrlRecorder recorder;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
  MenuAction(window_->FileMenu(), QStringLiteral("Open data folder"))->trigger();
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  QCOMPARE(recorder.Opened, QList<QUrl>{QUrl::fromLocalFile(Folder())});
}

void MainWindowTest::keyboardShortcutsListEveryKeyOfTheMenus() {
  // An action that another part of the window adds shows up by itself.
  QAction* added = window_->ViewMenu()->addAction(QStringLiteral("&Zoom in"));
  added->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  const QList<QPair<QString, QString>> keys = tarvo::ui::KeyboardShortcuts(*window_->menuBar());
  for (const QPair<QString, QString>& key :
       {QPair<QString, QString>{"Ctrl+Shift+C", "Copy definition"}, {"Ctrl+Q", "Exit"},
        {"Ctrl+L", "Zoom in"}, {"Alt+F", "Open the File menu"}, {"Alt+H", "Open the Help menu"},
        {"Tab", "Next field or button"}}) {
    QVERIFY2(keys.contains(key), qPrintable(key.first));
  }
  MenuAction(window_->HelpMenu(), QStringLiteral("Keyboard shortcuts"))->trigger();
  auto* dialog = window_->findChild<QDialog*>(QStringLiteral("KeyboardShortcuts"));
  QVERIFY(dialog && dialog->isVisible());
  QCOMPARE(dialog->findChild<QTableWidget*>()->rowCount(), keys.size());
  MenuAction(window_->HelpMenu(), QStringLiteral("Keyboard shortcuts"))->trigger();
  QCOMPARE(window_->findChildren<QDialog*>(QStringLiteral("KeyboardShortcuts")).size(), 1);
}

void MainWindowTest::aboutNamesVersionFolderAndLicences() {
  MenuAction(window_->HelpMenu(), QStringLiteral("About TARVO Tools"))->trigger();
  const QList<tarvo::ui::test::ShownMessage> shown = messages_.TakeShown();
  QCOMPARE(shown.size(), 1);
  const QString& text = shown[0].Text;
  for (const QString& part : {QStringLiteral("TARVO Tools " TARVO_VERSION), Folder(),
                              QStringLiteral("MIT licence"), QStringLiteral("X_ITE"),
                              QStringLiteral("LGPL-3.0")}) {
    QVERIFY2(text.contains(part), qPrintable(part));
  }
}

void MainWindowTest::exitWorksWhileThePaneHasTheFocus() {
  Control(RTB_Tool)->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
  QVERIFY(!window_->isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
