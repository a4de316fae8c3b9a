#include "ui/preview/taster_view.h"

#include <QApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "numbers/decimal_separator.h"
#include "scene/file_system.h"
#include "ui/preview/web_engine_flags.h"

using tarvo::editor::ControlId;

namespace {

constexpr int kLoadTimeoutMs = 60000;
constexpr int kPaintTimeoutMs = 15000;

class RecordedMessages final : public tarvo::editor::MessageBoxes {
 public:
  void Show(std::string_view text, std::string_view) override { Texts.emplace_back(text); }
  std::vector<std::string> Texts;
};

// The scene's sky colour 1 1 0.725.
bool IsBackground(QRgb c) {
  return qRed(c) >= 250 && qGreen(c) >= 250 && qAbs(qBlue(c) - 185) <= 4;
}
// The Gray appearance, lit: equal channels, neither the sky nor white.
bool IsGrey(QRgb c) {
  return qAbs(qRed(c) - qGreen(c)) <= 10 && qAbs(qGreen(c) - qBlue(c)) <= 10 && qRed(c) > 20 &&
         qRed(c) < 245;
}
// The Red appearance: red light only.
bool IsRed(QRgb c) { return qRed(c) > 60 && qGreen(c) < 40 && qBlue(c) < 40; }

// What the preview shows, counted from the pixels of the screen.
struct Picture {
  QImage Image;
  int Red = 0;
  int Top = -1;     // first row that shows part of the tool
  int Bottom = -1;  // last row that shows part of the tool

  // The whole tool lies inside the view and fills most of its height, as
  // fitting the view leaves it.
  bool ShowsWholeTool() const {
    return Top > 0 && Bottom < Image.height() - 1 && Bottom - Top > Image.height() / 2;
  }
  int GreyInRows(int from, int to) const {
    int grey = 0;
    for (int y = from; y <= to; ++y) {
      for (int x = 0; x < Image.width(); ++x) grey += IsGrey(Image.pixel(x, y)) ? 1 : 0;
    }
    return grey;
  }
};

// The GL content of the web view reaches only the screen, not QWidget::grab.
Picture Grab(const QWidget& view) {
  const QPoint origin = view.mapToGlobal(QPoint(0, 0));
  Picture picture{QGuiApplication::primaryScreen()
                      ->grabWindow(0, origin.x(), origin.y(), view.width(), view.height())
                      .toImage()};
  for (int y = 0; y < picture.Image.height(); ++y) {
    for (int x = 0; x < picture.Image.width(); ++x) {
      const QRgb c = picture.Image.pixel(x, y);
      if (IsRed(c)) ++picture.Red;
      if (IsBackground(c)) continue;
      if (picture.Top < 0) picture.Top = y;
      picture.Bottom = y;
    }
  }
  return picture;
}

void Save(const Picture& picture, const QString& name) {
  const QString file = QCoreApplication::applicationDirPath() + "/" + name;
  QVERIFY2(picture.Image.save(file), qPrintable(file));
  qInfo("Saved %s", qPrintable(file));
}

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
    const Picture picture = Grab(view);
    return picture.Red > 200 && picture.ShowsWholeTool();
  };
  QTRY_VERIFY_WITH_TIMEOUT(showsTip(), kPaintTimeoutMs);
  const Picture tip = Grab(view);
  Save(tip, "taster_view_tip.png");
  QVERIFY(IsBackground(tip.Image.pixel(2, 2)));
  QVERIFY(IsBackground(tip.Image.pixel(tip.Image.width() - 3, tip.Image.height() - 3)));
  const int height = tip.Bottom - tip.Top;
  const int coneFrom = tip.Top + height * 66 / 100;
  const int coneTo = tip.Top + height * 84 / 100;
  QVERIFY2(tip.GreyInRows(coneFrom, coneTo) > (coneTo - coneFrom) * 3, "no cone");

  loaded.clear();
  editor.Click(ControlId::Cmd_DelLast);
  QVERIFY(loaded.wait(kLoadTimeoutMs));
  const auto showsTipWithoutBall = [&view] {
    const Picture picture = Grab(view);
    return picture.Red == 0 && picture.ShowsWholeTool();
  };
  QTRY_VERIFY_WITH_TIMEOUT(showsTipWithoutBall(), kPaintTimeoutMs);
  Save(Grab(view), "taster_view_without_ball.png");
}

int main(int argc, char** argv) {
  tarvo::ui::PrepareWebEngineFlags();
  QApplication app(argc, argv);
  TasterViewTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "taster_view_test.moc"
