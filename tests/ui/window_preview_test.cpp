// The window with the real 3D preview on a virtual X display, driven by real
// clicks and key presses: CONFIRM and DELETE LAST show on the screen, and a
// click into the preview gives it the focus. With $TARVO_WINDOW_PICTURE
// set, saves there the whole window showing a tip of three elements.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

#include "model_mismatch.h"
#include "screen_picture.h"
#include "test_window.h"
#include "ui/preview/taster_view.h"
#include "ui/preview/web_engine_flags.h"

using tarvo::editor::ControlId;
using enum tarvo::editor::ControlId;
using tarvo::ui::test::GrabPreview;
using tarvo::ui::test::GrabScreen;
using tarvo::ui::test::ModelMismatch;
using tarvo::ui::test::Picture;
using tarvo::ui::test::SaveBesideTest;
using tarvo::ui::test::TestWindow;

namespace {

constexpr int kLoadTimeoutMs = 60000;
constexpr int kPaintTimeoutMs = 15000;

using Values = QList<std::pair<ControlId, QString>>;

}  // namespace

class WindowPreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { w_.reset(); }

  void tipShowsItsConeAndBallUntilTheBallIsDeleted();

 private:
  void StartTool(ControlId kind);
  // Fills the fields, then CONFIRM.
  void Confirm(const Values& values);
  // Clicks the button and waits until the preview has shown the scene.
  void ClickAndWaitForScene(ControlId id);
  // The preview on the screen once it shows what `wanted` looks for, or as
  // it is when that has not come in time; saved as `name` beside the test.
  Picture WaitForPicture(const std::function<bool(const Picture&)>& wanted, const QString& name);

  tarvo::ui::TasterView* view_ = nullptr;
  std::unique_ptr<TestWindow> w_;
};

void WindowPreviewTest::init() {
  view_ = new tarvo::ui::TasterView;
  QSignalSpy loaded(view_, &tarvo::ui::TasterView::sceneLoaded);
  w_ = std::make_unique<TestWindow>(tarvo::ui::PreviewOf(view_));
  QVERIFY(QTest::qWaitForWindowExposed(&w_->Window()));
  QVERIFY(!loaded.isEmpty() || loaded.wait(kLoadTimeoutMs));  // the empty scene
}

void WindowPreviewTest::StartTool(ControlId kind) {
  w_->Click(Tb_ToolName);
  w_->Type(Tb_ToolName, QStringLiteral("T1"));
  w_->Click(Cmd_NewTool);
  w_->Click(kind);
  w_->Click(Cmd_Add);
}

void WindowPreviewTest::Confirm(const Values& values) {
  for (const auto& [field, value] : values) {
    if (!w_->Widget(field)->hasFocus()) w_->Click(field);
    w_->Type(field, value);
  }
  ClickAndWaitForScene(Cmd_Confirm);
  QCOMPARE(w_->Messages().TakeShown().size(), 0);
}

void WindowPreviewTest::ClickAndWaitForScene(ControlId id) {
  QSignalSpy loaded(view_, &tarvo::ui::TasterView::sceneLoaded);
  w_->Click(id);
  QVERIFY(!loaded.isEmpty() || loaded.wait(kLoadTimeoutMs));
}

Picture WindowPreviewTest::WaitForPicture(const std::function<bool(const Picture&)>& wanted,
                                          const QString& name) {
  Picture picture;
  (void)QTest::qWaitFor(  // the caller checks what it got
      [&] {
        picture = GrabPreview(*view_);
        return wanted(picture);
      },
      kPaintTimeoutMs);
  SaveBesideTest(picture.Image, name);
  return picture;
}

// Along the axis the cylinder fills 0..20, the cone 20..25 and the ball of
// radius 1.5 around the cone's lower end 23.5..26.5: the cone alone stands in
// the band 0.755..0.887 of the tool's height.
void WindowPreviewTest::tipShowsItsConeAndBallUntilTheBallIsDeleted() {
  StartTool(Ob_Tip);
  Confirm({{Tb_Diam, "6"}, {Tb_Height, "20"}});
  w_->Click(Ob_Cone);
  Confirm({{Tb_Diam, "6"}, {Tb_Diam2, "2.5"}, {Tb_Height, "5"}});
  w_->Click(Ob_Sphere);
  Confirm({{Tb_Diam, "3"}});

  const Picture tip = WaitForPicture(
      [](const Picture& p) { return p.Red > 0 && p.ShowsWholeTool(); }, "window_preview_tip.png");
  QVERIFY2(tip.ShowsWholeTool(), "no tool");
  QVERIFY2(tip.Sky > tip.Image.width() * tip.Image.height() / 2, "too little sky");
  QVERIFY2(tip.GreyAcrossBand(0.78, 0.86), "no cone");
  QVERIFY2(tip.Red > 100, "no ball");
  if (qEnvironmentVariableIsSet("TARVO_WINDOW_PICTURE")) {
    QVERIFY(GrabScreen(w_->Window()).save(qEnvironmentVariable("TARVO_WINDOW_PICTURE")));
  }

  ClickAndWaitForScene(Cmd_DelLast);
  const Picture withoutBall =
      WaitForPicture([](const Picture& p) { return p.Red == 0 && p.ShowsWholeTool(); },
                     "window_preview_without_ball.png");
  QVERIFY2(withoutBall.Red == 0, "the ball is still there");
  QVERIFY2(withoutBall.GreyAcrossBand(0.8, 0.95), "no cone");

  // The web view hands the focus to a render widget of its own.
  w_->Click(TasterView);
  QCOMPARE(w_->Window().Model().Focus(), TasterView);
  QVERIFY(view_->hasFocus());
  QCOMPARE(ModelMismatch(w_->Window()), QString());
}

int main(int argc, char** argv) {
  tarvo::ui::PrepareWebEngineFlags();
  QApplication app(argc, argv);
  WindowPreviewTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_preview_test.moc"
