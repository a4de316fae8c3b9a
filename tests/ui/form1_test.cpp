// The window Form1 driven like a user with real clicks and key presses: one
// tool of each kind is built, and after every step the widgets must match the
// editor's window model and the layout must hold (captions fit, nothing
// overlaps). What the model does is tested in the core; this is about the widgets.
#include <QAbstractButton>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <memory>

#include "model_mismatch.h"
#include "test_window.h"

using tarvo::editor::ControlId;
using tarvo::editor::ControlKind;
using enum tarvo::editor::ControlId;
using tarvo::ui::test::ModelMismatch;
using tarvo::ui::test::ShownMessage;
using tarvo::ui::test::TestWindow;

namespace {

QString Name(const QWidget* widget) { return widget->objectName(); }

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
    if ((label && label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width()) ||
        (qobject_cast<QAbstractButton*>(widget) && widget->sizeHint().width() > widget->width())) {
      return Name(widget) + " cuts its caption";
    }
    const QWidget* container = widget->parentWidget();
    if (!container->rect().contains(widget->geometry())) return Name(widget) + " leaves its container";
    if (const auto* frame = qobject_cast<const QGroupBox*>(container);
        frame && widget->y() < frame->fontMetrics().height()) {
      return Name(widget) + " covers the caption of its frame";
    }
    for (const QWidget* other : shown) {
      if (other->parentWidget() == container && other->geometry().intersects(widget->geometry())) {
        return Name(widget) + " overlaps " + Name(other);
      }
    }
    shown.append(widget);
  }
  return {};
}

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void init() { w_ = std::make_unique<TestWindow>(); }
  void cleanup() { w_.reset(); }

  void fontsAreArialAndCourierNewOrTheirMetricTwins();
  void oneToolOfEachKindBuiltByClicksAndKeys();
  void thePaneIsReadOnlyAndTheCaretStaysWhereTheUserPutsIt();
  void exitClosesTheWindow();

 private:
  QLineEdit* Edit(ControlId id) const { return w_->As<QLineEdit>(id); }
  // Types `text` into the field after clicking it, unless it has the focus.
  void Fill(ControlId id, const QString& text) {
    if (!w_->Widget(id)->hasFocus()) w_->Click(id);
    w_->Type(id, text);
  }

  std::unique_ptr<TestWindow> w_;
};

void Form1Test::fontsAreArialAndCourierNewOrTheirMetricTwins() {
  QCOMPARE(w_->Window().size(), QSize(959, 860));
  const QFontInfo label(w_->Widget(Lbl_ToolName)->font());
  QVERIFY2(QStringList({"Arial", "Liberation Sans"}).contains(label.family()), qPrintable(label.family()));
  QVERIFY(label.bold());
  QCOMPARE(label.pointSize(), 12);
  QVERIFY(!QFontInfo(w_->Widget(Tb_ToolName)->font()).bold());
  const QFontInfo pane(w_->Widget(RTB_Tool)->font());
  QVERIFY2(QStringList({"Courier New", "Liberation Mono"}).contains(pane.family()), qPrintable(pane.family()));
  QVERIFY(pane.fixedPitch());
}

void Form1Test::oneToolOfEachKindBuiltByClicksAndKeys() {
  const auto newTool = [&](const char* name, ControlId kind) {
    Fill(Tb_ToolName, name);
    w_->Click(Cmd_NewTool);
    w_->Click(kind);
    w_->Click(Cmd_Add);
  };
  const QList<std::pair<const char*, std::function<void()>>> steps = {
      {"start-up", [] {}},
      {"NEW TOOL without a name",
       [&] {
         w_->Click(Cmd_NewTool);
         const QList<ShownMessage> shown = w_->Messages().TakeShown();
         QCOMPARE(shown.size(), 1);
         QCOMPARE(shown[0].Text, QStringLiteral("Please insert a NAME for the new tool"));
         QCOMPARE(shown[0].Title, QStringLiteral("Tool Name Error"));
         QCOMPARE(shown[0].Icon, QMessageBox::NoIcon);
         QCOMPARE(shown[0].ButtonCount, 1);
         QVERIFY(shown[0].Modal);
       }},
      {"the second extension, chosen with the keys",
       [&] {
         w_->Click(Cb_Extension);
         w_->Press(Qt::Key_Down);
         w_->Press(Qt::Key_Down);
       }},
      {"a polygonal tool", [&] { newTool("P1", Ob_Polyg); }},
      {"POLYGON", [&] { w_->Click(Ob_Cone); }},
      {"four edges from the list", [&] {
         w_->Click(Cb_Edges);
         w_->Press(Qt::Key_Down);
       }},
      {"edge length and height", [&] {
         Fill(Tb_Diam2, "5");
         w_->Press(Qt::Key_Tab);
         w_->Type(Tb_Height, "10");
       }},
      {"CONFIRM the polygon", [&] { w_->Click(Cmd_Confirm); }},
      {"2 LEVELS POLYGON", [&] { w_->Click(Ob_Sphere); }},
      {"its edges", [&] {
         Fill(Tb_Diam2, "4");
         Fill(Tb_Height, "3");
         Fill(Tb_LengthMin, "2");
       }},
      {"CONFIRM the two-level polygon", [&] { w_->Click(Cmd_Confirm); }},
      {"DELETE LAST", [&] { w_->Click(Cmd_DelLast); }},
      {"CYLINDER", [&] { w_->Click(Ob_Cylinder); }},
      {"CONFIRM with zeros", [&] {
         w_->Click(Cmd_Confirm);
         QCOMPARE(w_->Messages().TakeShown().size(), 1);
       }},
      {"DELETE ALL", [&] { w_->Click(Cmd_DelAll); }},
      {"an extension", [&] { newTool("E1", Ob_Extend); }},
      {"its cylinder", [&] {
         Fill(Tb_Diam, "8");
         Fill(Tb_Height, "30");
         w_->Click(Cmd_Confirm);
       }},
      {"EXPORT the extension", [&] { w_->Click(Cmd_Export); }},
      {"a tip", [&] { newTool("T2", Ob_Tip); }},
      {"SPHERE OR DISK", [&] { w_->Click(Ob_Sphere); }},
      {"DISK", [&] { w_->Click(Cb_Disk); }},
      {"the disk's diameter and height", [&] {
         Fill(Tb_Diam, "8");
         Fill(Tb_Height, "1");
       }},
      {"CONFIRM the disk", [&] { w_->Click(Cmd_Confirm); }},
      {"EXPORT the tip", [&] { w_->Click(Cmd_Export); }},
  };
  for (const auto& [name, step] : steps) {
    step();
    if (QTest::currentTestFailed()) return;
    for (const QString& fault : {ModelMismatch(w_->Window()), LayoutFault(*w_)}) {
      QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("after %1: %2").arg(name, fault)));
    }
  }
  QCOMPARE(w_->Messages().TakeShown().size(), 0);
  QFile file(w_->FilePath(QStringLiteral("usrprobe.dat")));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), QByteArray("ITEM:E1  M2\r\ncolor 142 142 142\r\nribcount 20\r\n"
                                      "cylinder 0 0 0 0 0 -30 8\r\nconnect 0 0 -30 0 0 1  M2\r\n\r\n"
                                      "ITEM:T2  M2\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\n"
                                      "color 255 0 0\r\ncilinder 0 0 0 0 0 -1 8\r\n"
                                      "hotspot 0 0 -0.5 0 0 1 8 1 ball\r\nendtip\r\n\r\n"));
}

// Keys typed into the read-only pane change nothing; in a field the caret
// stays where the user puts it, and a second click into a field places it.
void Form1Test::thePaneIsReadOnlyAndTheCaretStaysWhereTheUserPutsIt() {
  Fill(Tb_ToolName, "P2");
  w_->Press(Qt::Key_Left);
  w_->Type(Tb_ToolName, QStringLiteral("10"));
  w_->Click(Cmd_NewTool);
  auto* pane = w_->As<QPlainTextEdit>(RTB_Tool);
  w_->Click(RTB_Tool);
  w_->Type(RTB_Tool, QStringLiteral("abc 1.5"));
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete}) w_->Press(key);
  w_->Press(Qt::Key_X, Qt::ControlModifier);
  w_->Press(Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(pane->toPlainText(), QStringLiteral("ITEM:P102 TARVO1\n"));
  QCOMPARE(ModelMismatch(w_->Window()), QString());
  w_->Click(Cmd_Add);
  w_->Press(Qt::Key_Tab);  // MINOR DIAMETER is hidden for a cylinder
  QCOMPARE(Edit(Tb_Height)->selectedText(), QStringLiteral("0"));
  w_->Press(Qt::Key_7);
  w_->Press(Qt::Key_Backtab);
  w_->Click(Tb_Height);  // the focusing click keeps the whole text selected
  QCOMPARE(Edit(Tb_Height)->selectedText(), QStringLiteral("7"));
  w_->Click(Tb_Height);
  QVERIFY(!Edit(Tb_Height)->hasSelectedText());
}

void Form1Test::exitClosesTheWindow() {
  w_->Click(Cmd_Exit);
  QVERIFY(!w_->Window().isVisible());
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
