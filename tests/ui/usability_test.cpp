// What a user does with the keyboard and the mouse beyond the four steps: a
// typed edge count that holds when the user moves on, Enter on a button, a
// visible focus, and a pasted line break in the tool name.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "test_window.h"

using tarvo::editor::ControlId;
using enum tarvo::editor::ControlId;
using tarvo::ui::test::TestWindow;

class UsabilityTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { w_ = std::make_unique<TestWindow>(); }
  void cleanup() { w_.reset(); }

  void typedEdgeCountHoldsWhenTheUserMovesOn_data();
  void typedEdgeCountHoldsWhenTheUserMovesOn();
  void theWheelOverAnUnfocusedBoxChangesNothing();
  void enterPressesTheFocusedButtonWhichShowsARing();
  void aPastedLineBreakInTheNameIsRefused();

 private:
  QString Definition() const { return w_->As<QPlainTextEdit>(RTB_Tool)->toPlainText(); }
  // The picture of the control with the band of kBand pixels around it.
  QImage Around(ControlId id) const;
  static constexpr int kBand = 2;

  std::unique_ptr<TestWindow> w_;
};

QImage UsabilityTest::Around(ControlId id) const {
  const QWidget* widget = w_->Widget(id);
  const QRect rect(widget->mapTo(&w_->Window(), QPoint(0, 0)), widget->size());
  return w_->Window().grab(rect.adjusted(-kBand, -kBand, kBand, kBand)).toImage();
}

void UsabilityTest::typedEdgeCountHoldsWhenTheUserMovesOn_data() {
  QTest::addColumn<bool>("byClick");
  QTest::newRow("click") << true;
  QTest::newRow("Tab") << false;
}

void UsabilityTest::typedEdgeCountHoldsWhenTheUserMovesOn() {
  QFETCH(bool, byClick);
  w_->Click(Tb_ToolName);
  w_->Type(Tb_ToolName, QStringLiteral("P1"));
  w_->Click(Cmd_NewTool);
  w_->Click(Ob_Polyg);
  w_->Click(Cmd_Add);
  w_->Click(Ob_Cone);
  w_->Press(Qt::Key_Backtab);  // selects the edge count
  QVERIFY(w_->Widget(Cb_Edges)->hasFocus());
  w_->Type(Cb_Edges, QStringLiteral("6"));  // an item of the list
  if (byClick) {
    w_->Click(Tb_Diam2);
  } else {
    w_->Press(Qt::Key_Tab);
  }
  QVERIFY(w_->Widget(Tb_Diam2)->hasFocus());
  w_->Type(Tb_Diam2, QStringLiteral("5"));
  w_->Press(Qt::Key_Tab);
  w_->Type(Tb_Height, QStringLiteral("7"));
  w_->Click(Cmd_Confirm);
  QCOMPARE(w_->Messages().TakeShown().size(), 0);
  QVERIFY2(Definition().contains("\nsolid 12\n"), qPrintable(Definition()));
  // The middle of a side of the hexagon of edge 5 (4.33 from the axis), 7 high.
  QVERIFY2(Definition().contains("\nconnect 4.33 0 -3.5 -1 0 0 TARVO1\n"),
           qPrintable(Definition()));
}

void UsabilityTest::theWheelOverAnUnfocusedBoxChangesNothing() {
  auto* extension = w_->As<QComboBox>(Cb_Extension);
  const QPointF at = extension->rect().center();
  QWheelEvent down(at, extension->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(extension, &down);
  QCOMPARE(extension->currentText(), QStringLiteral("TARVO1"));
  QCOMPARE(w_->Window().Model().Text(Cb_Extension), "TARVO1");
}

void UsabilityTest::enterPressesTheFocusedButtonWhichShowsARing() {
  // Changed pixels in the band around the button, on at least half of it:
  // the button keeps its face.
  const auto ring = [](const QImage& focused, const QImage& unfocused) {
    const QRect button = focused.rect().adjusted(kBand, kBand, -kBand, -kBand);
    int differing = 0;
    for (int y = 0; y < focused.height(); ++y) {
      for (int x = 0; x < focused.width(); ++x)
        differing += !button.contains(x, y) && focused.pixel(x, y) != unfocused.pixel(x, y);
    }
    return differing >= kBand * (focused.width() + focused.height());
  };
  const QImage newToolFocused = Around(Cmd_NewTool);  // the focus at start-up
  w_->Click(Tb_ToolName);
  w_->Type(Tb_ToolName, QStringLiteral("T1"));
  QVERIFY(ring(newToolFocused, Around(Cmd_NewTool)));
  for (int i = 0; i < 3; ++i) w_->Press(Qt::Key_Backtab);  // the pane, the extension, NEW TOOL
  w_->Press(Qt::Key_Return);
  QVERIFY(Definition().startsWith("ITEM:T1 TARVO1\n"));
  const QImage addUnfocused = Around(Cmd_Add);  // the pane has the focus
  w_->Press(Qt::Key_Backtab);
  QVERIFY(ring(Around(Cmd_Add), addUnfocused));  // green ADD ELEMENT
  w_->Press(Qt::Key_Space);
  w_->Type(Tb_Diam, QStringLiteral("4"));
  w_->Press(Qt::Key_Tab);
  w_->Type(Tb_Height, QStringLiteral("20"));
  w_->Press(Qt::Key_Tab);
  QVERIFY(w_->Widget(Cmd_Confirm)->hasFocus());
  w_->Press(Qt::Key_Enter, Qt::KeypadModifier);
  QVERIFY2(Definition().endsWith("\ncylinder 0 0 0 0 0 -20 4\n"), qPrintable(Definition()));
}

void UsabilityTest::aPastedLineBreakInTheNameIsRefused() {
  QGuiApplication::clipboard()->setText(QStringLiteral("A\ncylinder 0 0 0 0 0 -99 9"));
  w_->Click(Tb_ToolName);
  w_->Press(Qt::Key_V, Qt::ControlModifier);
  w_->Click(Cmd_NewTool);
  const auto shown = w_->Messages().TakeShown();
  QCOMPARE(shown.size(), 1);
  QCOMPARE(shown[0].Text,
           QStringLiteral("Please remove tabs and line breaks from the NAME and the EXTENSION"));
  QCOMPARE(shown[0].Title, QStringLiteral("Tool Name Error"));
  QVERIFY(w_->Widget(Cmd_NewTool)->isVisible());
  QCOMPARE(Definition(), QString());
}

QTEST_MAIN(UsabilityTest)
#include "usability_test.moc"
