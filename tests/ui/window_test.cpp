// The window driven like a user with real clicks and key presses: one tool of
// each kind is built on the form, and after every step the widgets must match
// the editor's window model and the layout must hold (captions fit, nothing
// overlaps). The walk also covers what a user does beyond the four steps: a
// typed edge count, Enter on a button, a visible focus, a pasted line break.
// Then the menus, the status line, the tool library and the fit on a screen.
#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QProcess>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QWheelEvent>
#include <csignal>
#include <cstdio>

#include "model_mismatch.h"
#include "test_window.h"
#include "ui/desktop_actions.h"
#include "ui/library_actions.h"
#include "ui/sheet_dialog.h"

using tarvo::editor::ControlId;
using tarvo::editor::ControlKind;
using enum tarvo::editor::ControlId;
using namespace tarvo::ui::test;

// Takes the URLs that File → Open data folder asks the desktop to open.
class UrlRecorder : public QObject {
  Q_OBJECT
 public slots:
  void open(const QUrl& url) { Opened.append(url); }

 public:
  QList<QUrl> Opened;
};

namespace {

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QAction* Action(QMenu* menu, const QString& text) {
  for (QAction* action : menu->actions())
    if (action->iconText() == text) return action;
  return nullptr;
}

QString Name(const QWidget* widget) { return widget->objectName(); }

constexpr int kTitleBar = 30;  // a window manager's title bar, about

// A click on a button, an option or the check box, or a key that presses
// the button that has the focus: an action of TestWindow::Do that runs a command.
bool RunsACommand(const QString& action) {
  static const QRegularExpression kPress("^press (Return|Num\\+Enter|Space)$");
  if (action.contains(kPress)) return true;
  const auto id = tarvo::editor::FindControl(action.section(' ', 1, 1).toStdString());
  if (!action.startsWith(QStringLiteral("click ")) || !id) return false;
  const ControlKind kind = tarvo::editor::Row(*id).Kind;
  return kind == ControlKind::CommandButton || kind == ControlKind::OptionButton ||
         kind == ControlKind::CheckBox;
}

// The first control, among those shown, whose caption is cut off, that
// leaves its container or covers a caption or another control.
QString LayoutFault(const TestWindow& w) {
  QList<QWidget*> shown;
  for (const auto& control : tarvo::editor::kControls) {
    QWidget* widget = w.Widget(control.Id);
    if (control.Kind == ControlKind::Window || control.Kind == ControlKind::Rectangle ||
        !widget->isVisible())
      continue;
    if (widget->sizeHint().height() > widget->height()) return Name(widget) + " is too low";
    const auto* label = qobject_cast<QLabel*>(widget);
    if ((label &&
         label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width()) ||
        (qobject_cast<QAbstractButton*>(widget) && widget->sizeHint().width() > widget->width()))
      return Name(widget) + " cuts its caption";
    const QWidget* container = widget->parentWidget();
    if (!container->rect().contains(widget->geometry()))
      return Name(widget) + " leaves its container";
    if (const auto* frame = qobject_cast<const QGroupBox*>(container);
        frame && widget->y() < frame->fontMetrics().height())
      return Name(widget) + " covers the caption of its frame";
    for (const QWidget* other : shown)
      if (other->parentWidget() == container && other->geometry().intersects(widget->geometry()))
        return Name(widget) + " overlaps " + Name(other);
    shown.append(widget);
  }
  return {};
}

// Changed pixels in the band of kBand pixels around the button, on at least
// half of it, while the button keeps its face: a focus ring.
constexpr int kBand = 2;
bool Ring(const QImage& focused, const QImage& unfocused) {
  const QRect button = focused.rect().adjusted(kBand, kBand, -kBand, -kBand);
  int differing = 0;
  for (int y = 0; y < focused.height(); ++y)
    for (int x = 0; x < focused.width(); ++x)
      differing += !button.contains(x, y) && focused.pixel(x, y) != unfocused.pixel(x, y);
  return differing >= kBand * (focused.width() + focused.height());
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { w_ = std::make_unique<TestWindow>(); }
  void cleanup() { w_.reset(); }

  void oneToolOfEachKindBuiltByClicksAndKeys_data();
  void oneToolOfEachKindBuiltByClicksAndKeys();
  void theMenusAndTheStatusLine();
  void aCrowdedStatusLineKeepsItsCounts();
  void aClosedMenuGivesTheFocusBack();
  void theLibraryEditsTheSelectedToolInPlace();
  void theWindowFitsItsScreen();
  void aChangeByDoubleClickUndoneAndRedone();
  void aKilledWindowLeavesItsToolToReopen();

 private:
  QLineEdit* Edit(ControlId id) const { return qobject_cast<QLineEdit*>(w_->Widget(id)); }
  QString Definition() const {
    return qobject_cast<QPlainTextEdit*>(w_->Widget(RTB_Tool))->toPlainText();
  }
  QString Status() const {
    return w_->Main().findChild<QLabel*>(QStringLiteral("StatusLine"))->text();
  }
  QString Notice() const { return w_->Main().statusBar()->currentMessage(); }
  QImage Around(ControlId id) const {  // the control with the band around it
    const QWidget* widget = w_->Widget(id);
    const QRect rect(widget->mapTo(&w_->Window(), QPoint(0, 0)), widget->size());
    return w_->Window().grab(rect.adjusted(-kBand, -kBand, kBand, kBand)).toImage();
  }

  std::unique_ptr<TestWindow> w_;
};

void WindowTest::oneToolOfEachKindBuiltByClicksAndKeys_data() {
  QTest::addColumn<bool>("byClick");  // how the user leaves a typed edge count
  QTest::newRow("click") << true;
  QTest::newRow("Tab") << false;
}

void WindowTest::oneToolOfEachKindBuiltByClicksAndKeys() {
  QFETCH(bool, byClick);
  QImage newToolFocused, addUnfocused;
  struct Step {
    const char* Name;
    QString Actions;
    std::function<void()> Check = [] {};
    const char* Refused = nullptr;  // the text of the modal box refusing the tool name
  };
  const QList<Step> steps = {
      {"start-up: the fonts, the wheel over the unfocused extension box",
       {},
       [&] {
         QCOMPARE(w_->Window().sizeHint(), QSize(959, 860));
         const QFontInfo label(w_->Widget(Lbl_ToolName)->font()),
             pane(w_->Widget(RTB_Tool)->font());
         const QString fonts = label.family() + '/' + pane.family();
         static const QRegularExpression kFonts(
             "^(Arial|Liberation Sans)/(Courier New|Liberation Mono)$");
         QVERIFY2(fonts.contains(kFonts), qPrintable(fonts));
         QVERIFY(label.bold() && label.pointSize() == 12 && pane.fixedPitch() &&
                 !QFontInfo(w_->Widget(Tb_ToolName)->font()).bold());
         newToolFocused = Around(Cmd_NewTool);
         auto* extension = qobject_cast<QComboBox*>(w_->Widget(Cb_Extension));
         const QPointF at = extension->rect().center();
         QWheelEvent down(at, extension->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
         QApplication::sendEvent(extension, &down);
         QCOMPARE(extension->currentText(), QStringLiteral("TARVO1"));
         QApplication::clipboard()->setText(QStringLiteral("A\ncylinder 0 0 0 0 0 -99 9"));
       }},
      {"NEW TOOL without a name", "click Cmd_NewTool", [] {},
       "Please insert a NAME for the new tool"},
      {"a pasted two-line name", "click Tb_ToolName; press Ctrl+V; click Cmd_NewTool",
       [&] { QCOMPARE(Definition(), QString()); },
       "Please remove tabs and line breaks from the NAME and the EXTENSION"},
      {"the second extension, chosen with the keys", "click Cb_Extension; press Down; press Down",
       [&] { QVERIFY(Ring(newToolFocused, Around(Cmd_NewTool))); }},
      {"a name typed around the caret, Enter on NEW TOOL",
       "fill Tb_ToolName P2; press Left; type 1; press Backtab; press Backtab; press Backtab; "
       "press Return",
       [&] { QVERIFY2(Definition().startsWith("ITEM:P12 "), qPrintable(Definition())); }},
      {"keys into the read-only pane",
       "click RTB_Tool; type abc 1.5; press Return; press Backspace; press Del; press Ctrl+X; "
       "press Ctrl+V"},
      {"a polygonal tool", "click Ob_Polyg; click RTB_Tool",
       [&] { addUnfocused = Around(Cmd_Add); }},
      {"the focus on ADD ELEMENT", "press Backtab",
       [&] { QVERIFY(Ring(Around(Cmd_Add), addUnfocused)); }},  // the green button
      {"ADD ELEMENT by Space", "press Space"},
      {"POLYGON", "click Ob_Cone"},
      {"six edges typed, then a click or Tab to the edge length",
       QStringLiteral("press Backtab; type 6; %1; type 5; press Tab; type 7")
           .arg(byClick ? "click Tb_Diam2" : "press Tab")},
      {"CONFIRM by keypad Enter", "press Tab; press Num+Enter",
       [&] {
         // A hexagon of edge 5: the middle of a side is 4.33 from the axis.
         QVERIFY2(Definition().contains("\nsolid 12\n") &&
                      Definition().contains("\nconnect 4.33 0 -3.5 -1 0 0 "),
                  qPrintable(Definition()));
       }},
      {"2 LEVELS POLYGON, an edge typed, then POLYGON", "click Ob_Sphere; fill Tb_Diam2 4; click Ob_Cone"},
      {"2 LEVELS POLYGON again", "click Ob_Sphere"},
      {"its edges", "fill Tb_Diam2 4; fill Tb_Height 3; fill Tb_LengthMin 2"},
      {"CONFIRM the two-level polygon", "click Cmd_Confirm"},
      {"DELETE LAST", "click Cmd_DelLast"},
      {"DELETE ALL", "click Cmd_DelAll"},
      {"an extension", "fill Tb_ToolName E1; click Cmd_NewTool; click Ob_Extend; click Cmd_Add"},
      {"its cylinder's diameter, Tab selects the height", "fill Tb_Diam 8; press Tab",
       [&] { QCOMPARE(Edit(Tb_Height)->selectedText(), QStringLiteral("0")); }},
      {"the focusing click keeps the text selected, a second one places the caret, CONFIRM",
       "type 30; press Backtab; click Tb_Height",
       [&] {
         QCOMPARE(Edit(Tb_Height)->selectedText(), QStringLiteral("30"));
         w_->Click(Tb_Height);
         QVERIFY(!Edit(Tb_Height)->hasSelectedText());
         w_->Click(Cmd_Confirm);
         QCOMPARE(FocusedTextNotSelected(w_->Window()), QString());
       }},
      {"EXPORT the extension", "click Cmd_Export"},
      {"a tip", "fill Tb_ToolName T2; click Cmd_NewTool; click Ob_Tip; click Cmd_Add"},
      {"SPHERE OR DISK", "click Ob_Sphere"},
      {"DISK", "click Cb_Disk"},
      {"the disk's diameter and height", "fill Tb_Diam 8; fill Tb_Height 1"},
      {"CONFIRM the disk", "click Cmd_Confirm"},
      {"EXPORT the tip", "click Cmd_Export"},
  };
  for (const Step& step : steps) {
    for (const QString& action : step.Actions.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
      w_->Do(action);
      if (QTest::currentTestFailed()) return;
      const QString fault = RunsACommand(action) ? FocusedTextNotSelected(w_->Window()) : QString();
      QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("after %1 (%2): %3").arg(step.Name, action, fault)));
    }
    step.Check();
    if (QTest::currentTestFailed()) return;
    QList<ShownMessage> boxes;
    if (step.Refused) boxes = {{step.Refused, "Tool Name Error", QMessageBox::NoIcon, 1, true}};
    QCOMPARE(w_->Messages().TakeShown(), boxes);
    for (const QString& fault : {ModelMismatch(w_->Window()), LayoutFault(*w_)})
      QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("after %1: %2").arg(step.Name, fault)));
  }
  QCOMPARE(Read(w_->FilePath("usrprobe.dat")),
           QByteArray("ITEM:E1  M2\r\ncolor 142 142 142\r\nribcount 20\r\n"
                      "cylinder 0 0 0 0 0 -30 8\r\nconnect 0 0 -30 0 0 1  M2\r\n\r\n"
                      "ITEM:T2  M2\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\n"
                      "color 255 0 0\r\ncilinder 0 0 0 0 0 -1 8\r\n"
                      "hotspot 0 0 -0.5 0 0 1 8 1 ball\r\nendtip\r\n\r\n"));
  w_->Click(Cmd_Exit);
  QVERIFY(!w_->Window().isVisible());
}

// Two long notices: the counts still show, the notices are cut and whole in
// the tooltip and in Help → Last messages.
void WindowTest::aCrowdedStatusLineKeepsItsCounts() {
  w_->Do("fill Tb_ToolName ST1; click Cmd_NewTool; click Cmd_Add; fill Tb_Diam 1E+30; fill Tb_Height 1E-30; "
         "click Cmd_Confirm");
  const auto* label = w_->Main().findChild<QLabel*>(QStringLiteral("StatusLine"));
  QVERIFY2(Status().contains(QStringLiteral("\u2026 | Elements 1 of 50 | Lines 5 of 200 | Length 1E-30")),
           qPrintable(Status()));
  QVERIFY(label->fontMetrics().horizontalAdvance(Status()) <= label->contentsRect().width());
  QVERIFY2(label->toolTip().startsWith(QStringLiteral("HEIGHT 1E-30 is smaller than any stylus: check the value | "
                                                      "DIAMETER 1E+30 is larger than any stylus: check the value | ")),
           qPrintable(label->toolTip()));
  w_->Do("click RTB_Tool; press Ctrl+Shift+C");
  QVERIFY2(Status().startsWith(QStringLiteral("Copied the definition of ST1 so far")), qPrintable(Status()));
  Action(w_->Main().HelpMenu(), QStringLiteral("Last messages"))->trigger();
  const auto* list = w_->Main().findChild<QListWidget*>();
  QVERIFY(list != nullptr);
  QCOMPARE(list->count(), 3);
  QCOMPARE(list->item(0)->text(), QStringLiteral("Copied the definition of ST1 so far: it is not complete yet."));
  QCOMPARE(list->item(2)->text(), QStringLiteral("DIAMETER 1E+30 is larger than any stylus: check the value"));
  list->window()->close();
}

// A menu closed by Escape gives the focus back to the field, where typing
// goes on. On a display only: the off-screen platform leaves the closed menu
// the active window.
void WindowTest::aClosedMenuGivesTheFocusBack() {
  if (QGuiApplication::platformName() == QStringLiteral("offscreen")) QSKIP("needs a display (ui.menu_focus)");
  w_->Do("fill Tb_ToolName ST1; click Cmd_NewTool; click Cmd_Add; fill Tb_Diam 1");
  QMenuBar* bar = w_->Main().menuBar();
  QMenu* file = w_->Main().FileMenu();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
  QTRY_VERIFY(file->isVisible());
  QTest::keyClick(file, Qt::Key_Escape);
  QTRY_COMPARE(QApplication::focusWidget(), w_->Widget(Tb_Diam));
  w_->Do("type 2");
  QCOMPARE(Edit(Tb_Diam)->text(), QStringLiteral("12"));
}

void WindowTest::theMenusAndTheStatusLine() {
  const QString folder = w_->Folder();
  QCOMPARE(Status(), "Elements 0 of 50 | Lines 0 of 200 | Length 0 | " + folder);
  w_->Do(
      "fill Tb_ToolName ST1; click Cmd_NewTool; click Cmd_Add; click RTB_Tool; press Ctrl+Shift+C");
  QCOMPARE(QApplication::clipboard()->text(),
           QStringLiteral("ITEM:ST1 TARVO1\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\n"));
  QCOMPARE(Notice(), QStringLiteral("Copied the definition of ST1 so far: it is not complete yet."));
  w_->Do(
      "fill Tb_Diam 6; fill Tb_Height 20; click Cmd_Confirm; click Ob_Sphere; fill Tb_Diam 3; "
      "click Cmd_Confirm");
  QCOMPARE(Status(), "Elements 2 of 50 | Lines 8 of 200 | Length 20 | EWL 0 | \u03B4 0.02 \u00B5m | ball \u00D83 | " + folder);
  QCOMPARE(Notice(), QString());  // ended by the next command
  w_->Do("click RTB_Tool; press Ctrl+Shift+C");  // now as EXPORT writes it
  QVERIFY(QApplication::clipboard()->text().endsWith(QStringLiteral(" 3 3 ball\r\nendtip\r\n\r\n")));
  QCOMPARE(Notice(), QStringLiteral("Copied the definition of ST1."));

  // File → Export STL… opens in the data folder, as Save preview picture does.
  QString dialogFolder;
  QTimer::singleShot(0, [&dialogFolder] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    dialogFolder = dialog->directory().absolutePath();
    static_cast<QDialog*>(dialog)->accept();  // the name it suggests
  });
  Action(w_->Main().FileMenu(), QStringLiteral("Export STL…"))->trigger();
  QCOMPARE(dialogFolder, folder);
  QVERIFY(QFile::exists(w_->FilePath("ST1.stl")));
  QCOMPARE(Notice(), "Saved ST1 as " + w_->FilePath("ST1.stl") + '.');

  w_->Do("click Cmd_Export");
  QCOMPARE(Notice(), QStringLiteral("Exported ST1 to usrprobe.dat (tool 1 of 1)."));
  w_->Do("fill Tb_ToolName ST1; click Cmd_NewTool");  // the same name again:
  QVERIFY(Status().startsWith(QStringLiteral("A tool named ST1 is already in usrprobe.dat. | ")));
  QVERIFY(w_->Messages().TakeShown().isEmpty());  // a notice in the status line, no message box
  QCOMPARE(Notice(), QString());

  UrlRecorder recorder;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
  Action(w_->Main().FileMenu(), QStringLiteral("Open data folder"))->trigger();
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  QCOMPARE(recorder.Opened, QList<QUrl>{QUrl::fromLocalFile(folder)});
  // Without a file manager (none here off screen): the folder in a box, to select and copy.
  Action(w_->Main().FileMenu(), QStringLiteral("Open data folder"))->trigger();
  const auto* box = w_->Main().findChild<QMessageBox*>(QStringLiteral("DataFolderBox"));
  QVERIFY(box != nullptr && box->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
  const QList<ShownMessage> shown = w_->Messages().TakeShown();
  QCOMPARE(shown.size(), 1);
  QCOMPARE(shown[0].Text, "No program to open folders was found. The data folder is:\n\n" + folder);

  // An action that another part of the window adds shows up by itself.
  w_->Main().ViewMenu()->addAction(QStringLiteral("&Zoom in"))->setShortcut(Qt::CTRL | Qt::Key_J);
  const QList<QPair<QString, QString>> keys = tarvo::ui::KeyboardShortcuts(*w_->Main().menuBar());
  QStringList listed;
  for (const auto& [key, action] : keys) listed.append(key + ' ' + action);
  for (const char* key : {"Ctrl+Shift+C Copy definition", "Ctrl+Q Exit", "Ctrl+J Zoom in",
                          "Alt+F Open the File menu", "Tab Next field or button"})
    QVERIFY2(listed.contains(key), key);
  for (int i = 0; i < 2; ++i)
    Action(w_->Main().HelpMenu(), QStringLiteral("Keyboard shortcuts"))->trigger();
  const auto dialogs = w_->Main().findChildren<QDialog*>(QStringLiteral("KeyboardShortcuts"));
  QCOMPARE(dialogs.size(), 1);
  QVERIFY(dialogs[0]->isVisible());
  QCOMPARE(dialogs[0]->findChild<QTableWidget*>()->rowCount(), keys.size());
  dialogs[0]->close();

  Action(w_->Main().HelpMenu(), QStringLiteral("About TARVO Tools"))->trigger();
  const QList<ShownMessage> about = w_->Messages().TakeShown();
  for (const QString& part :
       {QStringLiteral("TARVO Tools " TARVO_VERSION), folder, QStringLiteral("MIT licence"),
        QStringLiteral("Coin"), QStringLiteral("LGPL-3.0")})
    QVERIFY2(about.size() == 1 && about[0].Text.contains(part), qPrintable(part));
}

// Open the library, see a tool's first problem, select the ball tip B, edit it
// (DELETE LAST, a new ball), export, and find the block replaced in place.
void WindowTest::theLibraryEditsTheSelectedToolInPlace() {
  QFile::copy(QStringLiteral(TARVO_SOURCE_DIR "/tests/library/files/three_tools.dat"),
              w_->FilePath("usrprobe.dat"));
  QFile::setPermissions(w_->FilePath("usrprobe.dat"), QFile::ReadOwner | QFile::WriteOwner);
  QFile file(w_->FilePath("usrprobe.dat"));
  QVERIFY(file.open(QIODevice::Append));
  file.write("ITEM:Z TARVO1\r\nbox 1\r\ncylinder 0 0 0 0 0 -5x 6\r\n\r\n");
  file.close();
  const QByteArray original = Read(w_->FilePath("usrprobe.dat"));
  tarvo::ui::AddLibraryActions(w_->Main(), [](QWidget* parent) {
    return tarvo::ui::PreviewOf(new tarvo::ui::test::PlaceholderPreview(parent));
  });
  QAction* open = Action(w_->Main().FileMenu(), QStringLiteral("Tool library…"));
  QVERIFY(open != nullptr);
  QCOMPARE(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
  open->trigger();
  auto* library = w_->Main().findChild<tarvo::ui::LibraryWindow*>();
  QVERIFY(library != nullptr && library->isVisible());
  QTableWidget* table = library->Table();
  QCOMPARE(table->rowCount(), 4);
  const QTableWidgetItem* problems = table->item(3, 7);
  QCOMPARE(problems->text(), QStringLiteral("line 23: unknown keyword \"box\" (+1 more)"));
  QCOMPARE(problems->toolTip(), QStringLiteral("line 23: unknown keyword \"box\"\nline 24: the number \"-5x\" cannot be read"));
  const QList<QTableWidgetItem*> found = table->findItems("B", Qt::MatchExactly);
  QCOMPARE(found.size(), 1);
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                    table->visualItemRect(found.front()).center());
  QVERIFY(library->BlockText()->toPlainText().startsWith("ITEM:B TARVO1\n"));
  QTest::mouseClick(library->CopyButton(), Qt::LeftButton);
  QVERIFY(QApplication::clipboard()->text().startsWith("ITEM:B TARVO1\r\n"));
  QCOMPARE(library->StatusText()->text(), QStringLiteral("Copied the definition of B."));
  QTest::mouseClick(library->EditButton(), Qt::LeftButton);
  QCOMPARE(w_->Main().windowTitle(),
           "TARVO TOOLS CREATION — Editing B from usrprobe.dat: EXPORT replaces it");
  // The data sheet of the tool being edited names its place in the file.
  Action(w_->Main().FileMenu(), QStringLiteral("Tool data sheet…"))->trigger();
  auto* sheet = w_->Main().findChild<tarvo::ui::SheetDialog*>();
  QVERIFY(sheet != nullptr);
  const auto& texts = sheet->Sheet().Drawing.Texts;
  QVERIFY(std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t.Text == "tool 2 of 4 in usrprobe.dat"; }));
  sheet->close();
  w_->Do("click Cmd_DelLast; click Ob_Sphere; fill Tb_Diam 4; click Cmd_Confirm; click Cmd_Export");
  QByteArray expected = original;
  expected.replace("sphere 0 0 0 2\r\nhotspot 0 0 0 0 0 1 2 2 ball",
                   "sphere 0 0 0 4\r\nhotspot 0 0 0 0 0 1 4 4 ball");
  QCOMPARE(Read(w_->FilePath("usrprobe.dat")), expected);
  QCOMPARE(w_->Main().windowTitle(), QStringLiteral("TARVO TOOLS CREATION"));
  w_->Do("click RTB_Tool; press Ctrl+Q");  // Exit while the pane has the focus
  QVERIFY(!w_->Main().isVisible());
}

// The controls of the steps shown, the definition pane, the preview, EXPORT
// and EXIT all lie on the screen, none scrolled away, on an empty window and
// while a tool is built; with room to spare the window opens as designed, and
// a larger window gives the room to the preview.
void WindowTest::theWindowFitsItsScreen() {
  if (QGuiApplication::platformName() == QStringLiteral("offscreen")) QSKIP("run on X screens");
  tarvo::ui::MainWindow& window = w_->Main();
  const QRect available = window.screen()->availableGeometry();
  QVERIFY(available.contains(window.frameGeometry()));  // the title bar included
  auto* scroll = window.findChild<QScrollArea*>();
  const auto hidden = [&] {  // the controls shown but not wholly on the screen
    QStringList off;
    if (scroll->verticalScrollBar()->isVisible() || scroll->horizontalScrollBar()->isVisible())
      off << QStringLiteral("scroll bars");
    const QRect viewport(scroll->viewport()->mapToGlobal(QPoint(0, 0)), scroll->viewport()->size());
    for (const tarvo::editor::ControlRow& control : tarvo::editor::kControls) {
      QWidget* widget = w_->Widget(control.Id);
      if (control.Id == Form1 || !widget->isVisibleTo(&window)) continue;
      const QRect shown(widget->mapToGlobal(QPoint(0, 0)), widget->size());
      if (!viewport.contains(shown) || !available.contains(shown))
        off << QString::fromLatin1(control.Name.data(), static_cast<qsizetype>(control.Name.size()));
    }
    return off.join(' ');
  };
  QCOMPARE(hidden(), QString());
  const QStringList steps = {
      QStringLiteral("fill Tb_ToolName ST1; click Cmd_NewTool"), QStringLiteral("click Ob_Polyg; click Cmd_Add"),
      QStringLiteral("fill Tb_Diam 6; fill Tb_Height 20; click Cmd_Confirm"),
      QStringLiteral("click Ob_Sphere; fill Tb_Diam2 3; fill Tb_LengthMin 2; fill Tb_Height 5"),
      QStringLiteral("click Cmd_Confirm")};
  for (const QString& step : steps) {
    w_->Do(step);
    QVERIFY2(hidden().isEmpty(), qPrintable(step + ": " + hidden()));
  }
  QVERIFY(w_->Widget(Cmd_Export)->isVisible());
  // The definition pane shows a tool of 10 lines whole, with a title bar's
  // room to spare, as these displays have no window manager to take it.
  auto* pane = qobject_cast<QPlainTextEdit*>(w_->Widget(RTB_Tool));
  const int tenLines = 10 * pane->fontMetrics().lineSpacing() + 2 * int(pane->document()->documentMargin());
  QVERIFY2(pane->viewport()->height() >= tenLines + kTitleBar,
           qPrintable(QStringLiteral("%1 < %2").arg(pane->viewport()->height()).arg(tenLines + kTitleBar)));
  QWidget* preview = w_->Widget(TasterView);
  if (available.size().boundedTo(window.sizeHint()) == window.sizeHint()) {
    QCOMPARE(window.size(), window.sizeHint());
    QCOMPARE(preview->size(), QSize(467, 500 + 92));  // with the room of Step 1
  }
  // Made larger, the window gives the preview the room.
  const QSize before = preview->size(), step4 = w_->Widget(Frame_ToolData)->size();
  const QSize grown(120, 80);
  window.resize(window.size() + grown);
  QVERIFY(QTest::qWaitFor([&] { return preview->size() == before + grown; }));
  QCOMPARE(w_->Widget(Frame_ToolData)->size(), step4);
  QCOMPARE(w_->Widget(Cmd_Exit)->geometry().bottomRight(), preview->geometry().bottomRight() + QPoint(0, 70));
}

// The worked example; element 1's diameter changed by a double-click on its
// line (a bad value first keeps the dialog open); undo, redo, DELETE ALL and
// its undo by the keys; EXPORT writes the changed tool.
void WindowTest::aChangeByDoubleClickUndoneAndRedone() {
  w_->Do("fill Tb_ToolName ST1; click Cmd_NewTool; click Cmd_Add; fill Tb_Diam 6; fill Tb_Height 20; "
         "click Cmd_Confirm; click Ob_Sphere; fill Tb_Diam 3; click Cmd_Confirm");
  auto* pane = qobject_cast<QPlainTextEdit*>(w_->Widget(RTB_Tool));
  const QPoint cylinder = pane->cursorRect(QTextCursor(pane->document()->findBlockByNumber(4))).center();
  QTimer::singleShot(0, this, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr && dialog->windowTitle() == QStringLiteral("Change element 1"));
    auto* diameter = dialog->findChild<QLineEdit*>(QStringLiteral("Tb_Diam"));
    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("Ok"));
    QCOMPARE(diameter->text(), QStringLiteral("6"));
    QVERIFY(!dialog->findChild<QLineEdit*>(QStringLiteral("Tb_Diam2"))->isVisibleTo(dialog));
    for (const char* text : {"x", "8"}) {
      diameter->selectAll();
      QTest::keyClicks(diameter, text);
      QTest::mouseClick(ok, Qt::LeftButton);
      if (*text == '8') break;
      QVERIFY(dialog->isVisible());  // the bad value's field, rewritten, with the focus
      QCOMPARE(diameter->text(), QStringLiteral("0"));
      QCOMPARE(dialog->focusWidget(), diameter);
    }
  });
  QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, cylinder);
  QCOMPARE(w_->Messages().TakeShown().size(), 1);
  QVERIFY2(Definition().contains("cylinder 0 0 0 0 0 -20 8\n"), qPrintable(Definition()));
  auto* undo = w_->Main().findChild<QAction*>(QStringLiteral("Undo"));
  auto* redo = w_->Main().findChild<QAction*>(QStringLiteral("Redo"));
  QCOMPARE(undo->text(), QStringLiteral("&Undo change of element 1"));
  QVERIFY(!redo->isEnabled());
  undo->trigger();
  QVERIFY(Definition().contains("cylinder 0 0 0 0 0 -20 6\n"));
  QCOMPARE(redo->text(), QStringLiteral("&Redo change of element 1"));
  w_->Do("click RTB_Tool; press Ctrl+Y; click Cmd_DelAll");
  QCOMPARE(Definition(), QString());
  w_->Do("fill Tb_ToolName X; press Ctrl+Z");  // the history's key, even in a text box
  QVERIFY(Definition().contains("cylinder 0 0 0 0 0 -20 8\n"));
  QCOMPARE(ModelMismatch(w_->Window()), QString());
  w_->Do("click Cmd_Export");
  QVERIFY(Read(w_->FilePath("usrprobe.dat")).contains("cylinder 0 0 0 0 0 -20 8\r\ncolor 255 0 0\r\n"));
  QVERIFY(!undo->isEnabled());
}

namespace {

// The child that the next test kills: a window on `folder` that confirms three
// elements, says so, and waits.
int ConfirmThreeAndWait(const QString& folder) {
  TestWindow w(folder);
  w.Do("fill Tb_ToolName K3; click Cmd_NewTool; click Cmd_Add; fill Tb_Diam 6; fill Tb_Height 20; "
       "click Cmd_Confirm; click Ob_Cone; fill Tb_Diam 6; fill Tb_Diam2 3; fill Tb_Height 5; "
       "click Cmd_Confirm; click Ob_Sphere; fill Tb_Diam 3; click Cmd_Confirm");
  std::fputs("three\n", stdout);
  std::fflush(stdout);
  return QApplication::exec();
}

}  // namespace

// A window killed with SIGKILL after three CONFIRMs: the next start offers the
// tool in the status line and File → Reopen brings back its three elements.
void WindowTest::aKilledWindowLeavesItsToolToReopen() {
  QTemporaryDir folder;
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  child.setProcessEnvironment(environment);
  child.start(QApplication::applicationFilePath(), {QStringLiteral("--confirm-three"), folder.path()});
  QVERIFY(child.waitForStarted());
  while (!child.readAllStandardOutput().contains("three")) QVERIFY(child.waitForReadyRead(60000));
  ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
  QVERIFY(child.waitForFinished());
  QCOMPARE(child.exitStatus(), QProcess::CrashExit);

  TestWindow next(folder.path());
  const QString status = next.Main().findChild<QLabel*>(QStringLiteral("StatusLine"))->toolTip();  // whole
  QVERIFY2(status.startsWith(QStringLiteral("Unfinished tool \"K3\" (3 elements): File \u2192 Reopen unfinished tool | ")),
           qPrintable(status));
  QCOMPARE(next.Window().Editor().Tool().ElementCount, 0);  // nothing changes unless chosen
  // NEW TOOL asks before it discards the tool; closing the box is Cancel: nothing changes.
  next.Messages().TakeShown();
  next.Do("fill Tb_ToolName NEW; click Cmd_NewTool");
  const QList<ShownMessage> asked = next.Messages().TakeShown();
  QCOMPARE(asked.size(), 1);
  QCOMPARE(asked[0].Text, QStringLiteral("The unfinished tool \"K3\" (3 elements) will be discarded."));
  QCOMPARE(asked[0].ButtonCount, 3);
  QVERIFY(next.Window().Editor().CanReopen());
  QCOMPARE(next.Window().Editor().Tool().LineCount, 0);
  QAction* reopen = Action(next.Main().FileMenu(), QStringLiteral("Reopen unfinished tool \"K3\" (3 elements)"));
  QVERIFY(reopen != nullptr && reopen->isEnabled());
  reopen->trigger();
  QCOMPARE(next.Window().Editor().Tool().ElementCount, 3);
  const QString pane = qobject_cast<QPlainTextEdit*>(next.Widget(RTB_Tool))->toPlainText();
  QVERIFY2(pane.endsWith(QStringLiteral("cylinder 0 0 0 0 0 -20 6\ncone 0 0 -20 6 0 0 -25 3\ncolor 255 0 0\n"
                                        "sphere 0 0 -25 3\nhotspot 0 0 -25 0 0 1 3 3 ball\n")),
           qPrintable(pane));
  QCOMPARE(ModelMismatch(next.Window()), QString());
}

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setAttribute(Qt::AA_Use96Dpi, true);
  if (argc == 3 && QByteArray(argv[1]) == "--confirm-three") return ConfirmThreeAndWait(QString::fromLocal8Bit(argv[2]));
  WindowTest test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}
#include "window_test.moc"
