// The window Form1 driven like a user: real clicks and key presses, answered
// message boxes, and the widgets checked against the editor's window model.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <memory>

#include "model_mismatch.h"
#include "test_window.h"

using tarvo::editor::ControlId;
using enum tarvo::editor::ControlId;
using tarvo::ui::test::ModelMismatch;
using tarvo::ui::test::ShownMessage;
using tarvo::ui::test::TestWindow;

namespace {

QStringList Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items.append(combo->itemText(i));
  return items;
}

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void init() { w_ = std::make_unique<TestWindow>(); }
  void cleanup() { w_.reset(); }

  void startUpShowsStepOneThePaneThePreviewAndExit();
  void tipToolBuiltByClicksAndKeysIsExported();
  void blankNameIsRefusedWithItsMessage();
  void emptyHeightIsReportedAndSelected();
  void typingIntoThePaneChangesNothing();
  void tabAndMouseIntoAFieldSelectTheZero();
  void typingKeepsTheCaretWhereTheUserPutsIt();
  void exitClosesTheWindow();
  void widgetsFollowTheModelAfterEveryCommand();

 private:
  // NEW TOOL and ADD ELEMENT for a tip tool named `name`.
  void StartTipTool(const QString& name);
  QLineEdit* Edit(ControlId id) const { return w_->As<QLineEdit>(id); }

  std::unique_ptr<TestWindow> w_;
};

void Form1Test::StartTipTool(const QString& name) {
  w_->Click(Tb_ToolName);
  w_->Type(Tb_ToolName, name);
  w_->Click(Cmd_NewTool);
  w_->Click(Cmd_Add);
}

void Form1Test::startUpShowsStepOneThePaneThePreviewAndExit() {
  QCOMPARE(w_->Window().windowTitle(), QStringLiteral("TARVO TOOLS CREATION"));
  QCOMPARE(w_->Window().size(), QSize(959, 860));
  const QList<ControlId> shown = {Frame_NewTool, Lbl_ToolName, Tb_ToolName, Label1,
                                  Cb_Extension,  Cmd_NewTool,  Shape1,      RTB_Tool,
                                  TasterView,    Cmd_Exit};
  for (const auto& control : tarvo::editor::kControls) {
    if (control.Id == Form1) continue;
    QVERIFY2(w_->Widget(control.Id)->isVisible() == shown.contains(control.Id),
             control.Name.data());
  }
  QCOMPARE(Edit(Tb_ToolName)->text(), QString());
  QVERIFY(Edit(Tb_ToolName)->isEnabled());
  const auto* extension = w_->As<QComboBox>(Cb_Extension);
  QCOMPARE(extension->currentText(), QStringLiteral("TARVO1"));
  QCOMPARE(Items(extension), QStringList({" TARVO1", " M2", " M3", " M4", " M5"}));
  const auto* edges = w_->As<QComboBox>(Cb_Edges);
  QCOMPARE(edges->currentText(), QStringLiteral("3"));
  QCOMPARE(Items(edges), QStringList({"3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13",
                                      "14", "15", "16", "30"}));
  QCOMPARE(QApplication::focusWidget(), w_->Widget(Cmd_NewTool));
  QCOMPARE(w_->As<QPlainTextEdit>(RTB_Tool)->toPlainText(), QString());
}

void Form1Test::tipToolBuiltByClicksAndKeysIsExported() {
  StartTipTool(QStringLiteral("ST1"));
  // CYLINDER is chosen and the diameter field has the focus with its "0" selected.
  QCOMPARE(QApplication::focusWidget(), w_->Widget(Tb_Diam));
  w_->Type(Tb_Diam, QStringLiteral("6"));
  w_->Click(Tb_Height);
  w_->Type(Tb_Height, QStringLiteral("20"));
  w_->Click(Cmd_Confirm);
  w_->Click(Ob_Sphere);
  w_->Type(Tb_Diam, QStringLiteral("3"));
  w_->Click(Cmd_Confirm);
  w_->Click(Cmd_Export);

  QCOMPARE(w_->Messages().TakeShown().size(), 0);
  QFile file(w_->FilePath(QStringLiteral("usrprobe.dat")));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), QByteArray("ITEM:ST1 TARVO1\r\n"
                                      "begintip\r\n"
                                      "color 142 142 142\r\n"
                                      "ribcount 20\r\n"
                                      "cylinder 0 0 0 0 0 -20 6\r\n"
                                      "color 255 0 0\r\n"
                                      "sphere 0 0 -20 3\r\n"
                                      "hotspot 0 0 -20 0 0 1 3 3 ball\r\n"
                                      "endtip\r\n"
                                      "\r\n"));
  // Back at Step 1 with an empty name and an empty pane.
  QVERIFY(w_->Widget(Frame_NewTool)->isVisible());
  QCOMPARE(Edit(Tb_ToolName)->text(), QString());
  QCOMPARE(w_->As<QPlainTextEdit>(RTB_Tool)->toPlainText(), QString());
}

void Form1Test::blankNameIsRefusedWithItsMessage() {
  w_->Click(Tb_ToolName);
  w_->Type(Tb_ToolName, QStringLiteral("    "));
  w_->Click(Cmd_NewTool);
  const QList<ShownMessage> shown = w_->Messages().TakeShown();
  QCOMPARE(shown.size(), 1);
  QCOMPARE(shown[0].Text, QStringLiteral("Please insert a NAME for the new tool"));
  QCOMPARE(shown[0].Title, QStringLiteral("Tool Name Error"));
  QCOMPARE(shown[0].Icon, QMessageBox::NoIcon);
  QCOMPARE(shown[0].ButtonCount, 1);
  QVERIFY(shown[0].Modal);
  QVERIFY(w_->Widget(Frame_NewTool)->isVisible());
  QVERIFY(!w_->Widget(Frame_Buttons)->isVisible());
}

void Form1Test::emptyHeightIsReportedAndSelected() {
  StartTipTool(QStringLiteral("P1"));
  w_->Type(Tb_Diam, QStringLiteral("6"));
  w_->Click(Tb_Height);
  w_->Press(Qt::Key_Backspace);
  QCOMPARE(Edit(Tb_Height)->text(), QString());
  w_->Click(Cmd_Confirm);
  const QList<ShownMessage> shown = w_->Messages().TakeShown();
  QCOMPARE(shown.size(), 1);
  QCOMPARE(shown[0].Text, QStringLiteral("Please insert a POSITIVE (>0) number for the HEIGHT"));
  QCOMPARE(shown[0].Title, QStringLiteral("TARVO TOOLS CREATION"));
  QCOMPARE(shown[0].Icon, QMessageBox::NoIcon);
  QCOMPARE(shown[0].ButtonCount, 1);
  // The failing field shows "0", selected, with the focus; the diameter was not examined.
  QCOMPARE(QApplication::focusWidget(), w_->Widget(Tb_Height));
  QCOMPARE(Edit(Tb_Height)->text(), QStringLiteral("0"));
  QCOMPARE(Edit(Tb_Height)->selectedText(), QStringLiteral("0"));
  QCOMPARE(Edit(Tb_Diam)->text(), QStringLiteral("6"));
}

void Form1Test::typingIntoThePaneChangesNothing() {
  w_->Click(Tb_ToolName);
  w_->Type(Tb_ToolName, QStringLiteral("P1"));
  w_->Click(Cmd_NewTool);
  auto* pane = w_->As<QPlainTextEdit>(RTB_Tool);
  const QString before = pane->toPlainText();
  QCOMPARE(before, QStringLiteral("ITEM:P1 TARVO1\n"));
  w_->Click(RTB_Tool);
  QCOMPARE(QApplication::focusWidget(), pane);
  w_->Type(RTB_Tool, QStringLiteral("abc 1.5"));
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete}) w_->Press(key);
  w_->Press(Qt::Key_X, Qt::ControlModifier);
  w_->Press(Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(pane->toPlainText(), before);
  QCOMPARE(w_->Window().Model().Text(RTB_Tool), std::string("ITEM:P1 TARVO1\r\n"));
  // Tab still leaves the pane, in the tab order.
  w_->Press(Qt::Key_Tab);
  QVERIFY(QApplication::focusWidget() != pane);
}

void Form1Test::tabAndMouseIntoAFieldSelectTheZero() {
  StartTipTool(QStringLiteral("P1"));
  QCOMPARE(QApplication::focusWidget(), w_->Widget(Tb_Diam));
  w_->Press(Qt::Key_Tab);  // MINOR DIAMETER is hidden for a cylinder
  QCOMPARE(QApplication::focusWidget(), w_->Widget(Tb_Height));
  QCOMPARE(Edit(Tb_Height)->selectedText(), QStringLiteral("0"));
  w_->Press(Qt::Key_7);
  QCOMPARE(Edit(Tb_Height)->text(), QStringLiteral("7"));

  w_->Press(Qt::Key_Backtab);
  QCOMPARE(QApplication::focusWidget(), w_->Widget(Tb_Diam));
  QCOMPARE(Edit(Tb_Diam)->selectedText(), QStringLiteral("0"));

  w_->Click(Tb_Height);  // the focusing click keeps the whole text selected
  QCOMPARE(Edit(Tb_Height)->selectedText(), QStringLiteral("7"));
  w_->Click(Tb_Height);  // a second click places the caret
  QVERIFY(!Edit(Tb_Height)->hasSelectedText());
}

void Form1Test::typingKeepsTheCaretWhereTheUserPutsIt() {
  w_->Click(Tb_ToolName);
  w_->Type(Tb_ToolName, QStringLiteral("P2"));
  w_->Press(Qt::Key_Left);
  w_->Type(Tb_ToolName, QStringLiteral("10"));
  QCOMPARE(Edit(Tb_ToolName)->text(), QStringLiteral("P102"));
  QCOMPARE(w_->Window().Model().Text(Tb_ToolName), std::string("P102"));
}

void Form1Test::exitClosesTheWindow() {
  w_->Click(Cmd_Exit);
  QVERIFY(!w_->Window().isVisible());
}

void Form1Test::widgetsFollowTheModelAfterEveryCommand() {
  const QList<std::pair<const char*, std::function<void()>>> steps = {
      {"start-up", [] {}},
      {"NEW TOOL without a name", [&] { w_->Click(Cmd_NewTool); }},
      {"a name",
       [&] {
         w_->Click(Tb_ToolName);
         w_->Type(Tb_ToolName, "P1");
       }},
      {"the second extension from the list",
       [&] {
         w_->Click(Cb_Extension);
         w_->Press(Qt::Key_Down);
         w_->Press(Qt::Key_Down);
       }},
      {"NEW TOOL", [&] { w_->Click(Cmd_NewTool); }},
      {"POLYGONAL", [&] { w_->Click(Ob_Polyg); }},
      {"ADD ELEMENT", [&] { w_->Click(Cmd_Add); }},
      {"POLYGON", [&] { w_->Click(Ob_Cone); }},
      {"four edges, the item after the \"3\" shown",
       [&] {
         w_->Click(Cb_Edges);
         w_->Press(Qt::Key_Down);
       }},
      {"edge length and height",
       [&] {
         w_->Click(Tb_Diam2);
         w_->Type(Tb_Diam2, "5");
         w_->Press(Qt::Key_Tab);
         w_->Type(Tb_Height, "10");
       }},
      {"CONFIRM the polygon", [&] { w_->Click(Cmd_Confirm); }},
      {"2 LEVELS POLYGON", [&] { w_->Click(Ob_Sphere); }},
      {"its edges",
       [&] {
         w_->Type(Tb_Diam2, "4");
         w_->Click(Tb_Height);
         w_->Type(Tb_Height, "3");
         w_->Click(Tb_LengthMin);
         w_->Type(Tb_LengthMin, "2");
       }},
      {"CONFIRM the two-level polygon", [&] { w_->Click(Cmd_Confirm); }},
      {"DELETE LAST", [&] { w_->Click(Cmd_DelLast); }},
      {"CYLINDER", [&] { w_->Click(Ob_Cylinder); }},
      {"CONFIRM with zeros", [&] { w_->Click(Cmd_Confirm); }},
      {"DELETE ALL", [&] { w_->Click(Cmd_DelAll); }},
      {"a second name", [&] { w_->Type(Tb_ToolName, "T2"); }},
      {"NEW TOOL again", [&] { w_->Click(Cmd_NewTool); }},
      {"ADD ELEMENT for a tip", [&] { w_->Click(Cmd_Add); }},
      {"SPHERE OR DISK", [&] { w_->Click(Ob_Sphere); }},
      {"DISK", [&] { w_->Click(Cb_Disk); }},
      {"the disk's diameter and height",
       [&] {
         w_->Type(Tb_Diam, "8");
         w_->Click(Tb_Height);
         w_->Type(Tb_Height, "1");
       }},
      {"CONFIRM the disk", [&] { w_->Click(Cmd_Confirm); }},
      {"EXPORT", [&] { w_->Click(Cmd_Export); }},
  };
  for (const auto& [name, step] : steps) {
    step();
    const QString mismatch = ModelMismatch(w_->Window());
    QVERIFY2(mismatch.isEmpty(), qPrintable(QStringLiteral("after %1: %2").arg(name, mismatch)));
  }
  QCOMPARE(w_->Messages().TakeShown().size(), 2);  // the blank name and CONFIRM with zeros
  QFile file(w_->FilePath(QStringLiteral("usrprobe.dat")));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QVERIFY(file.readAll().startsWith("ITEM:T2  M2\r\nbegintip\r\n"));
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
