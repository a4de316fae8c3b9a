// The program's window with its real 3D preview on a virtual X display, read
// from the pixels: a start without flashes, a quiet child that saves the
// pictures of a prism and a disk tip, the views by key and by menu, DELETE
// LAST, the focus click. Failing pictures are kept beside the test.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "app/tools_window.h"
#include "model_mismatch.h"
#include "screen_picture.h"
#include "ui/preview/preview_menus.h"
#include "ui/preview/web_engine_flags.h"

using tarvo::editor::ControlId;
using enum tarvo::editor::ControlId;
using Preview = tarvo::ui::TasterView;
using tarvo::ui::test::IsSky;
using tarvo::ui::test::SaveBesideTest;

namespace {

constexpr int kLoadTimeoutMs = 60000;
// How long a picture must stay the same to count as drawn.
constexpr int kSteadyMs = 250;
constexpr char kQuietChild[] = "--build-tools-quietly";

using Fields = std::initializer_list<std::pair<ControlId, const char*>>;

class Window {
 public:
  // `beforeOpen` sees the preview before the window first shows.
  explicit Window(const std::function<void(Preview&)>& beforeOpen = {})
      : tools_(dir_.path().toStdString()) {
    if (beforeOpen) beforeOpen(View());
    tools_.Open();
    tools_.Main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&tools_.Main()));
  }
  Preview& View() { return tools_.Preview(); }
  tarvo::ui::Form1& Form() { return tools_.Window(); }

  // Controls with a text are typed into, the others clicked.
  void Set(Fields fields) {
    for (const auto& [id, text] : fields)
      text ? Form().RunOnEditor([&](tarvo::editor::Editor& e) { e.Type(id, text); })
           : Form().Click(id);
  }
  // The fields, then the button; the picture once the preview shows the scene.
  QImage Click(ControlId button, Fields fields = {}) {
    Set(fields);
    return Await(&Preview::sceneLoaded, [&] { Form().Click(button); });
  }
  // A new tool, each element confirmed; the picture of the last.
  QImage Build(ControlId kind, std::initializer_list<Fields> elements) {
    Set({{Tb_ToolName, "T"}, {Cmd_NewTool, nullptr}, {kind, nullptr}, {Cmd_Add, nullptr}});
    QImage shown;
    for (Fields element : elements) shown = Click(Cmd_Confirm, element);
    return shown;
  }
  // Along the axis the cylinder fills 0..20, the cone 20..25, the ball 23.5..26.5.
  QImage BuildTip() {
    return Build(Ob_Tip, {{{Tb_Diam, "6"}, {Tb_Height, "20"}},
                          {{Ob_Cone, nullptr}, {Tb_Diam, "6"}, {Tb_Diam2, "2.5"}, {Tb_Height, "5"}},
                          {{Ob_Sphere, nullptr}, {Tb_Diam, "3"}}});
  }
  // A view by a key pressed into the preview, or by the View menu.
  QImage KeyView(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    View().setFocus();
    return Await(&Preview::viewShown,
                 [&] { QTest::keyClick(View().focusProxy(), Qt::Key(key), modifiers); });
  }
  QImage MenuView(const QString& text) {
    for (QAction* action : tools_.Main().ViewMenu()->actions())
      if (action->text().remove('&') == text)
        return Await(&Preview::viewShown, [&] { action->trigger(); });
    return {};
  }

 private:
  // Runs `act`, waits for `done`, then for the picture to settle: the
  // render widget's frame buffer unchanged for kSteadyMs, however many
  // grabs a loaded machine manages in that time.
  QImage Await(void (Preview::*done)(), const std::function<void()>& act) {
    QSignalSpy spy(&View(), done);
    act();
    if (!spy.wait(kLoadTimeoutMs)) return {};
    QImage last = View().Picture();
    QElapsedTimer steady;
    steady.start();
    (void)QTest::qWaitFor(
        [&] {
          QImage now = View().Picture();
          if (now != last) {
            last = std::move(now);
            steady.restart();
          }
          return steady.elapsed() >= kSteadyMs;
        },
        kLoadTimeoutMs);
    return last;
  }

  QTemporaryDir dir_;
  tarvo::app::ToolsWindow tools_;
};

// The pixels that show the tool: everything but the sky.
struct Silhouette {
  QRect Box;
  int Area = 0;
  double RedY = -1;             // mean row of the red pixels, -1 without any
  std::array<int, 256> Grey{};  // how many grey pixels have each grey level
  int BlackOrWhite = 0;
  double RedMean = 0;  // red channel of the pixels that are not grey
};

Silhouette Measure(const QImage& image) {
  Silhouette s;
  int red = 0, coloured = 0;
  double redRows = 0, redSum = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      if (IsSky(c)) continue;
      ++s.Area;
      s.Box |= QRect(x, y, 1, 1);
      if (qGray(c) <= 5 || qGray(c) >= 250) ++s.BlackOrWhite;
      if (tarvo::ui::test::IsGrey(c))
        ++s.Grey[qGray(c)];
      else
        ++coloured, redSum += qRed(c);
      if (qRed(c) > qGreen(c) + 40) ++red, redRows += y;  // never grey
    }
  }
  s.RedY = red ? redRows / red : -1;
  s.RedMean = coloured ? redSum / coloured : 0;
  return s;
}

// Groups of grey levels of at least `least` pixels within ±apart/2 of their
// level, the levels at least `apart` from each other.
int ShadeGroups(const std::array<int, 256>& grey, int least, int apart) {
  std::vector<std::pair<int, int>> windows;  // pixels around a level, the level
  for (int level = 0; level < 256; ++level) {
    int pixels = 0;
    for (int d = -apart / 2; d <= apart / 2; ++d) pixels += grey[std::clamp(level + d, 0, 255)];
    windows.emplace_back(pixels, level);
  }
  std::ranges::sort(windows, std::greater<>());
  std::vector<int> chosen;
  for (const auto& [pixels, level] : windows)
    if (pixels >= least &&
        std::ranges::none_of(chosen, [&](int c) { return std::abs(c - level) < apart; }))
      chosen.push_back(level);
  return static_cast<int>(chosen.size());
}

// The rows of the image from `y` down to `to` (exclusive; to its end without).
QImage Rows(const QImage& image, int y, int to = -1) {
  return image.copy(0, y, image.width(), (to < 0 ? image.height() : to) - y);
}

// `shown`; otherwise the picture is kept beside the test.
bool Shows(bool shown, const QImage& image, const char* name) {
  if (!shown) SaveBesideTest(image, name);
  return shown;
}

QString BesideTest(const char* name) { return QCoreApplication::applicationDirPath() + '/' + name; }

// A tip in each view, by key and by menu; the ball deleted; the focus click.
void WalkThroughTheViews(Window& w) {
  const QImage reset = w.BuildTip();
  const Silhouette tip = Measure(reset);
  QVERIFY(Shows(tip.Area < reset.width() * reset.height() / 2 && tip.RedY > 0, reset,
                "views_reset.png"));
  if (qEnvironmentVariableIsSet("TARVO_WINDOW_PICTURE"))
    QVERIFY(tarvo::ui::test::GrabScreen(*w.View().window())
                .save(qEnvironmentVariable("TARVO_WINDOW_PICTURE")));

  // A digit typed into a field stays there; a click into the preview gives
  // it the focus, which the web view hands to a render widget of its own.
  auto* diam = w.Form().findChild<QLineEdit*>("Tb_Diam");
  diam->setFocus();
  QTest::keyClick(diam, Qt::Key_7);
  QVERIFY(diam->text().endsWith('7'));
  QTest::mouseClick(w.View().focusProxy(), Qt::LeftButton, {}, w.View().rect().center());
  QVERIFY(w.Form().Model().Focus() == TasterView && w.View().hasFocus());
  QCOMPARE(tarvo::ui::test::ModelMismatch(w.Form()), QString());

  const QImage front = w.KeyView(Qt::Key_1), top = w.KeyView(Qt::Key_7);
  const Silhouette upright = Measure(front), circle = Measure(top);
  QVERIFY(Shows(upright.Box.height() > 2 * upright.Box.width() &&
                    upright.RedY > upright.Box.center().y() + upright.Box.height() / 3,
                front, "views_front.png"));
  const double roundness = circle.Area / (M_PI / 4 * circle.Box.width() * circle.Box.height());
  QVERIFY(Shows(std::abs(circle.Box.width() - circle.Box.height()) <= 2 &&
                    std::abs(roundness - 1) < 0.03 && circle.RedY < 0,  // the ball hidden
                top, "views_top.png"));
  const QImage bottom = w.KeyView(Qt::Key_7, Qt::ControlModifier);
  QVERIFY(Shows(Measure(bottom).RedY > 0, bottom, "views_bottom.png"));

  // Orthographic from above at a slant: the cylinder's edges stay parallel
  // (in perspective they converge by some pixels).
  QVERIFY(!w.KeyView(Qt::Key_5).isNull());
  const QImage slant = w.KeyView(Qt::Key_0);
  const QRect side = Measure(slant).Box;
  const int y0 = side.top() + side.height() / 5, y1 = side.top() + side.height() * 6 / 10;
  const QRect row0 = Measure(Rows(slant, y0, y0 + 1)).Box,
              row1 = Measure(Rows(slant, y1, y1 + 1)).Box;
  QVERIFY(
      Shows(std::abs(row0.left() - row1.left()) <= 1 && std::abs(row0.right() - row1.right()) <= 1,
            slant, "views_orthographic.png"));
  QVERIFY(!w.KeyView(Qt::Key_5).isNull());
  QCOMPARE(w.KeyView(Qt::Key_Home), reset);

  const std::tuple<int, Qt::KeyboardModifiers, const char*> keys[] = {
      {Qt::Key_1, {}, "Front"},         {Qt::Key_3, {}, "Right"},
      {Qt::Key_7, {}, "Top"},           {Qt::Key_7, Qt::ControlModifier, "Bottom"},
      {Qt::Key_Home, {}, "Reset view"}, {Qt::Key_F, {}, "Fit all"},
      {Qt::Key_0, {}, "Isometric"}};
  for (const auto& [key, modifiers, text] : keys) {
    const QImage byKey = w.KeyView(key, modifiers);
    QVERIFY2(!byKey.isNull() && w.MenuView(text) == byKey, text);
  }
  // From the isometric view: CONFIRM keeps the user's direction; DELETE ALL
  // and a new tool start from the reset view.
  const QImage withoutBall = w.Click(Cmd_DelLast);
  QVERIFY(Shows(Measure(withoutBall).RedY < 0, withoutBall, "views_without_ball.png"));
  const QImage confirmed = w.Click(Cmd_Confirm, {{Tb_Diam, "3"}});
  QCOMPARE(confirmed, w.KeyView(Qt::Key_F));
  w.Click(Cmd_DelAll);
  const QImage newTool = w.BuildTip();
  QVERIFY(Shows(newTool == reset, newTool, "views_new_tool.png"));
}

}  // namespace

class PreviewViewsTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithTheSkyShowsTheViewsAndBuildsQuietly();
};

// Samples the preview on the screen every 50 ms from the window's first
// shown frame until the first scene is on screen, walks through the views of
// a tip; then a child process must build two tools without printing a word,
// and its pictures show the faces apart.
void PreviewViewsTest::startsWithTheSkyShowsTheViewsAndBuildsQuietly() {
  int samples = 0;
  QImage bad;
  QTimer sampler;
  std::unique_ptr<QSignalSpy> loaded;
  auto w = std::make_unique<Window>([&](Preview& view) {
    loaded = std::make_unique<QSignalSpy>(&view, &Preview::sceneLoaded);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
      // Until the window is exposed the screen shows whatever lay below it.
      if (!view.window()->windowHandle() || !view.window()->windowHandle()->isExposed()) return;
      const QImage image = tarvo::ui::test::GrabScreen(view);
      ++samples;
      if (Measure(image).BlackOrWhite * 2 > image.width() * image.height() && bad.isNull())
        bad = image;
    });
    sampler.start(50);
  });
  QVERIFY(!loaded->isEmpty() || loaded->wait(kLoadTimeoutMs));
  sampler.stop();
  QVERIFY(samples > 0 && Shows(bad.isNull(), bad, "start_flash.png"));
  const QSize previewSize = w->View().size() * w->View().devicePixelRatio();
  WalkThroughTheViews(*w);
  if (QTest::currentTestFailed()) return;
  w.reset();

  QTemporaryDir runtime;
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(tarvo::ui::kVerboseVariable);
  environment.remove("QT_LOGGING_RULES");
  environment.insert("XDG_RUNTIME_DIR", runtime.path());
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(), {kQuietChild});
  QVERIFY(child.waitForFinished(4 * kLoadTimeoutMs));
  QCOMPARE(child.exitCode(), 0);
  // But for lines the X server itself causes, on some servers.
  const QStringList printed =
      QString::fromLocal8Bit(child.readAllStandardError())
          .split('\n', Qt::SkipEmptyParts)
          .filter(QRegularExpression("^(?!Xlib:  extension)(?!.*XKEYBOARD)"));
  QVERIFY2(printed.isEmpty(), qPrintable(printed.join('\n')));

  // The prism is the lower quarter of the tool's height, its cap included.
  const QImage tool(BesideTest("faces_prism.png")), disk(BesideTest("faces_disk.png"));
  const Silhouette whole = Measure(tool), tip = Measure(disk);
  const Silhouette prism = Measure(Rows(tool, whole.Box.bottom() - whole.Box.height() / 4));
  QVERIFY(Shows(prism.Area > 1000 && ShadeGroups(prism.Grey, prism.Area / 50, 15) >= 3 &&
                    whole.BlackOrWhite < whole.Area / 100,
                tool, "faces_prism.png"));
  QVERIFY(Shows(tip.RedMean >= 60 && tip.BlackOrWhite < tip.Area / 100, disk, "faces_disk.png"));
  QVERIFY(disk.size() == previewSize && IsSky(disk.pixel(1, 1)));
}

// The child: a cylinder 20 × 10 over a six-edge prism of edge 5 and height
// 10, in the view a new tool starts with; then a tip with a cone and a red
// disk 12 × 2. Saves both pictures as File → Save preview picture does.
static int BuildToolsQuietly() {
  Window w;
  w.Build(Ob_Polyg, {{{Tb_Diam, "10"}, {Tb_Height, "20"}},
                     {{Ob_Cone, nullptr}, {Cb_Edges, "6"}, {Tb_Diam2, "5"}, {Tb_Height, "10"}}});
  const bool prism = SavePreviewPicture(w.View(), BesideTest("faces_prism.png"));
  w.Click(Cmd_DelAll);
  w.Build(Ob_Tip, {{{Tb_Diam, "6"}, {Tb_Height, "20"}},
                   {{Ob_Cone, nullptr}, {Tb_Diam, "6"}, {Tb_Diam2, "2"}, {Tb_Height, "5"}},
                   {{Ob_Sphere, nullptr}, {Cb_Disk, nullptr}, {Tb_Diam, "12"}, {Tb_Height, "2"}}});
  return prism && SavePreviewPicture(w.View(), BesideTest("faces_disk.png")) ? 0 : 1;
}

int main(int argc, char** argv) {
  const bool child = argc == 2 && QByteArray(argv[1]) == kQuietChild;
  tarvo::ui::PrepareWebEngineFlags(tarvo::ui::EngineLoggingWanted(argc, argv));
  QApplication app(argc, argv);
  if (child) return BuildToolsQuietly();
  PreviewViewsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "preview_views_test.moc"
