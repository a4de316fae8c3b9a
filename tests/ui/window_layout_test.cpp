// The window's layout with the longest captions and with a tool of three
// elements: every caption fits its control, no two controls overlap, and the
// fonts are the ones asked for.
#include <QAbstractButton>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

#include "test_window.h"

using tarvo::editor::ControlId;
using tarvo::editor::ControlKind;
using enum tarvo::editor::ControlId;
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
    if (label &&
        label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width()) {
      return Name(widget) + " cuts its caption";
    }
    if (qobject_cast<QAbstractButton*>(widget) && widget->sizeHint().width() > widget->width()) {
      return Name(widget) + " cuts its caption";
    }
    const QWidget* container = widget->parentWidget();
    if (!container->rect().contains(widget->geometry()))
      return Name(widget) + " leaves its container";
    if (const auto* frame = qobject_cast<const QGroupBox*>(container)) {
      if (widget->y() < frame->fontMetrics().height())
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

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { w_ = std::make_unique<TestWindow>(); }
  void cleanup() { w_.reset(); }

  void fontsAreArialAndCourierNewOrTheirMetricTwins();
  void longestCaptionsFitWithoutOverlap();
  void threeElementToolFits();

 private:
  void Confirm(const QList<std::pair<ControlId, QString>>& values);

  std::unique_ptr<TestWindow> w_;
};

void WindowLayoutTest::Confirm(const QList<std::pair<ControlId, QString>>& values) {
  for (const auto& [field, value] : values) {
    if (!w_->Widget(field)->hasFocus()) w_->Click(field);
    w_->Type(field, value);
  }
  w_->Click(Cmd_Confirm);
  QCOMPARE(w_->Messages().TakeShown().size(), 0);
}

void WindowLayoutTest::fontsAreArialAndCourierNewOrTheirMetricTwins() {
  const QFontInfo label(w_->Widget(Lbl_ToolName)->font());
  QVERIFY2(QStringList({"Arial", "Liberation Sans"}).contains(label.family()),
           qPrintable(label.family()));
  QVERIFY(label.bold());
  QCOMPARE(label.pointSize(), 12);
  const QFontInfo field(w_->Widget(Tb_ToolName)->font());
  QVERIFY(!field.bold());
  const QFontInfo pane(w_->Widget(RTB_Tool)->font());
  QVERIFY2(QStringList({"Courier New", "Liberation Mono"}).contains(pane.family()),
           qPrintable(pane.family()));
  QVERIFY(pane.fixedPitch());
}

void WindowLayoutTest::longestCaptionsFitWithoutOverlap() {
  QCOMPARE(LayoutFault(*w_), QString());
  w_->Click(Tb_ToolName);
  w_->Type(Tb_ToolName, QStringLiteral("POLYGONAL1"));
  w_->Click(Cmd_NewTool);
  QCOMPARE(LayoutFault(*w_), QString());
  w_->Click(Ob_Polyg);
  w_->Click(Cmd_Add);
  QCOMPARE(LayoutFault(*w_), QString());
  w_->Click(Ob_Cone);
  QCOMPARE(w_->As<QLabel>(Lbl_Diam2)->text(), QStringLiteral("POLYGON EDGE LENGTH:"));
  QCOMPARE(LayoutFault(*w_), QString());
  w_->Click(Ob_Sphere);
  QCOMPARE(w_->As<QLabel>(Lbl_ElemType)->text(), QStringLiteral("2 LEVELS POLYGON"));
  QCOMPARE(LayoutFault(*w_), QString());
}

void WindowLayoutTest::threeElementToolFits() {
  w_->Click(Tb_ToolName);
  w_->Type(Tb_ToolName, QStringLiteral("TIP1"));
  w_->Click(Cmd_NewTool);
  w_->Click(Cmd_Add);
  Confirm({{Tb_Diam, "8"}, {Tb_Height, "40"}});
  w_->Click(Ob_Cone);
  Confirm({{Tb_Diam, "8"}, {Tb_Diam2, "4"}, {Tb_Height, "15"}});
  w_->Click(Ob_Sphere);
  Confirm({{Tb_Diam, "2"}});
  QVERIFY(w_->Widget(Cmd_Export)->isVisible());
  QVERIFY(w_->As<QPlainTextEdit>(RTB_Tool)->toPlainText().contains("hotspot"));
  QCOMPARE(LayoutFault(*w_), QString());
}

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
