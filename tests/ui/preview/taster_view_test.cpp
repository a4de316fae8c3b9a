#include "ui/preview/taster_view.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "numbers/decimal_separator.h"
#include "scene/file_system.h"
#include "screen_picture.h"
#include "ui/preview/web_engine_flags.h"

using tarvo::editor::ControlId;
using tarvo::ui::test::GrabPreview;
using tarvo::ui::test::IsSky;
using tarvo::ui::test::Picture;
using tarvo::ui::test::SaveBesideTest;

namespace {

constexpr int kLoadTimeoutMs = 60000;
constexpr int kPaintTimeoutMs = 15000;

class RecordedMessages final : public tarvo::editor::MessageBoxes {
 public:
  void Show(std::string_view text, std::string_view) override { Texts.emplace_back(text); }
  std::vector<std::string> Texts;
};

}  // namespace

class TasterViewTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheToolTheEditorBuilds();
};

// The editor starts writing scenes before the page has loaded: the view must
// keep them. A cylinder 20 high, a cone 10 high and a ball of radius 2 around
// the cone's lower end: along the axis the cylinder fills 0..20, the cone alone
// 20..28 and the ball 28..32, so the cone stands alone in the band
// 0.625..0.875 of the tool's height on the screen.
void TasterViewTest::ShowsTheToolTheEditorBuilds() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  tarvo::scene::PosixFileSystem files;
  RecordedMessages messages;
  tarvo::numbers::FixedLocaleQuery locale(".");
  tarvo::ui::TasterView view;
  view.resize(480, 560);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  tarvo::editor::Editor editor(dir.path().toStdString(), files, view, messages, locale);
  QSignalSpy loaded(&view, &tarvo::ui::TasterView::sceneLoaded);

  editor.Load();
  editor.Type(ControlId::Tb_ToolName, "T");
  editor.Click(ControlId::Cmd_NewTool);
  editor.Click(ControlId::Cmd_Add);
  editor.Type(ControlId::Tb_Height, "20");
  editor.Type(ControlId::Tb_Diam, "6");
  editor.Click(ControlId::Cmd_Confirm);
  editor.Click(ControlId::Ob_Cone);
  editor.Type(ControlId::Tb_Height, "10");
  editor.Type(ControlId::Tb_Diam, "6");
  editor.Type(ControlId::Tb_Diam2, "2");
  editor.Click(ControlId::Cmd_Confirm);
  editor.Click(ControlId::Ob_Sphere);
  editor.Type(ControlId::Tb_Diam, "4");
  editor.Click(ControlId::Cmd_Confirm);
  QVERIFY(messages.Texts.empty());

  QVERIFY(loaded.wait(kLoadTimeoutMs));
  const auto showsTip = [&view] {
    const Picture picture = GrabPreview(view);
    return picture.Red > 200 && picture.ShowsWholeTool();
  };
  QTRY_VERIFY_WITH_TIMEOUT(showsTip(), kPaintTimeoutMs);
  const Picture tip = GrabPreview(view);
  QVERIFY(SaveBesideTest(tip.Image, "taster_view_tip.png"));
  QVERIFY(IsSky(tip.Image.pixel(2, 2)));
  QVERIFY(IsSky(tip.Image.pixel(tip.Image.width() - 3, tip.Image.height() - 3)));
  QVERIFY2(tip.GreyAcrossBand(0.66, 0.84), "no cone");

  loaded.clear();
  editor.Click(ControlId::Cmd_DelLast);
  QVERIFY(loaded.wait(kLoadTimeoutMs));
  const auto showsTipWithoutBall = [&view] {
    const Picture picture = GrabPreview(view);
    return picture.Red == 0 && picture.ShowsWholeTool();
  };
  QTRY_VERIFY_WITH_TIMEOUT(showsTipWithoutBall(), kPaintTimeoutMs);
  QVERIFY(SaveBesideTest(GrabPreview(view).Image, "taster_view_without_ball.png"));
}

int main(int argc, char** argv) {
  tarvo::ui::PrepareWebEngineFlags();
  QApplication app(argc, argv);
  TasterViewTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "taster_view_test.moc"
