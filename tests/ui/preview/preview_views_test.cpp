// The program's window with its real 3D preview on a virtual X display, read from the pixels.
#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
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

#include "app/tools_window.h"
#include "model_mismatch.h"
#include "ui/preview/preview_menus.h"
#include "ui/preview/coin_messages.h"
#include "ui/qt_messages.h"

using tarvo::editor::ControlId;
using enum tarvo::editor::ControlId;
using Preview = tarvo::ui::TasterView;

namespace {

constexpr int kLoadTimeoutMs = 60000;
constexpr int kSteadyMs = 250;  // how long a picture must stay the same to count as drawn
constexpr char kQuietChild[] = "--build-tools-quietly";

using Fields = std::initializer_list<std::pair<ControlId, const char*>>;

class Window {
 public:
  explicit Window(const std::function<void(Preview&)>& beforeOpen = {})
      : tools_(dir_.path().toStdString()) {
    if (beforeOpen) beforeOpen(View());
    tools_.Open();
    tools_.Main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&tools_.Main()));
  }
  Preview& View() { return tools_.Preview(); }
  tarvo::ui::Form1& Form() { return tools_.Window(); }
  tarvo::ui::MainWindow& Main() { return tools_.Main(); }
  QString SceneFile() const { return dir_.filePath("Taster.wrl"); }
  QString StatusLine() { return Main().findChild<QLabel*>("StatusLine")->toolTip(); }  // whole

  void Set(Fields fields) {
    for (const auto& [id, text] : fields)
      text ? Form().RunOnEditor([&](tarvo::editor::Editor& e) { e.Type(id, text); })
           : Form().Click(id);
  }
  QImage Click(ControlId button, Fields fields = {}) {
    Set(fields);
    return Await(&Preview::sceneLoaded, [&] { Form().Click(button); });
  }
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
  QImage KeyView(Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    View().setFocus();
    return Await(&Preview::viewShown, [&] { QTest::keyClick(&View(), key, mods); });
  }
  // The scene file read again, as the editor asks after a change to it.
  QImage Reread() {
    return Await(&Preview::sceneLoaded, [&] { View().Navigate(SceneFile().toStdString()); });
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

// The screen over the widget, as the user sees it.
QImage Screen(const QWidget& w) {
  const QPoint at = w.mapToGlobal(QPoint(0, 0));
  return w.screen()->grabWindow(0, at.x(), at.y(), w.width(), w.height()).toImage();
}

// The scene's sky colour 1 1 0.725.
bool IsSky(QRgb c) { return qRed(c) >= 250 && qGreen(c) >= 250 && std::abs(qBlue(c) - 185) <= 4; }

// The pixels that show the tool: everything but the sky.
struct Silhouette {
  QRect Box;
  int Area = 0, BlackOrWhite = 0, Red = 0;
  std::array<int, 256> Grey{};  // how many grey pixels have each grey level
  // The mean row of the red pixels (-1 without any); the mean red of the pixels not grey.
  double RedY = -1, RedMean = 0;
};

Silhouette Measure(const QImage& image) {
  Silhouette s;
  double red = 0, coloured = 0, redRows = 0, redSum = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      const int r = qRed(c), g = qGreen(c), b = qBlue(c), grey = qGray(c);
      if (IsSky(c)) continue;
      ++s.Area, s.Box |= QRect(x, y, 1, 1);
      if (grey <= 5 || grey >= 250) ++s.BlackOrWhite;
      // The Gray appearance, lit: equal channels, neither the sky nor white.
      const bool isGrey = std::abs(r - g) <= 10 && std::abs(g - b) <= 10 && r > 20 && r < 245;
      s.Grey[grey] += isGrey, coloured += !isGrey, redSum += isGrey ? 0 : r;
      if (r > g + 40) ++red, redRows += y;  // never grey
    }
  s.Red = static_cast<int>(red);
  s.RedY = red ? redRows / red : -1;
  s.RedMean = coloured ? redSum / coloured : 0;
  return s;
}

// Groups of ≥ `least` grey pixels within ±apart/2 of their level, the levels ≥ `apart` apart.
int ShadeGroups(const std::array<int, 256>& grey, int least, int apart) {
  std::array<int, 256> around{};  // the pixels around each level
  for (int level = 0; level < 256; ++level)
    for (int d = -apart / 2; d <= apart / 2; ++d)
      around[level] += grey[std::clamp(level + d, 0, 255)];
  int groups = 0;
  for (auto most = std::ranges::max_element(around); *most >= std::max(least, 1);
       ++groups, most = std::ranges::max_element(around))
    std::fill(std::max(most - apart + 1, around.begin()), std::min(most + apart, around.end()), 0);
  return groups;
}

QString BesideTest(const char* name) { return QCoreApplication::applicationDirPath() + '/' + name; }
// `shown`; otherwise the picture is kept beside the test.
bool Shows(bool shown, const QImage& image, const char* name) {
  return shown || (image.save(BesideTest(name)) && (qInfo("Saved %s", name), false));
}

}  // namespace

class PreviewViewsTest : public QObject {
  Q_OBJECT
 private slots:
  // The screen sampled every 50 ms until the first scene; the warm-up; the
  // views; a quiet child.
  void startsWithTheSkyShowsTheViewsAndBuildsQuietly();
  // A damaged scene file: the sky, a note in the status line, a window that goes on.
  void showsTheSkyForADamagedSceneFile();
  // Seen from straight above, a cylinder on a hexagonal prism shows both outlines.
  void drawsTheEdgesOfFacesOfOneOrientation();
  // A tool of any size the checks accept is shown, or the status line says why not.
  void showsAToolOfAnySize();
};

void PreviewViewsTest::startsWithTheSkyShowsTheViewsAndBuildsQuietly() {
  int samples = 0;
  QImage bad;  // the first mostly black or white frame
  QTimer sampler;
  std::unique_ptr<QSignalSpy> loaded, warmed;
  auto w = std::make_unique<Window>([&](Preview& view) {
    loaded = std::make_unique<QSignalSpy>(&view, &Preview::sceneLoaded);
    warmed = std::make_unique<QSignalSpy>(&view, &Preview::warmedUp);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
      // Until the window is exposed the screen shows whatever lay below it.
      if (!view.window()->windowHandle() || !view.window()->windowHandle()->isExposed()) return;
      const QImage image = Screen(view);
      const bool flash = Measure(image).BlackOrWhite * 2 > image.width() * image.height();
      if (++samples && flash && bad.isNull()) bad = image;
    });
    sampler.start(50);
  });
  QVERIFY(!loaded->isEmpty() || loaded->wait(kLoadTimeoutMs));
  sampler.stop();
  emit sampler.timeout({});  // the first scene itself
  QVERIFY(samples > 0 && Shows(bad.isNull(), bad, "start_flash.png"));
  // Once the first frame shows, the renderer is warmed up for the first tool.
  QVERIFY(!warmed->isEmpty() || warmed->wait(kLoadTimeoutMs));
  const QSize previewSize = w->View().size() * w->View().devicePixelRatio();
  const QImage reset = w->BuildTip();
  const Silhouette first = Measure(reset);
  QVERIFY(Shows(first.Area < reset.width() * reset.height() / 2 && first.RedY > 0, reset,
                "views_reset.png"));
  if (qEnvironmentVariableIsSet("TARVO_WINDOW_PICTURE"))
    QVERIFY(Screen(w->Main()).save(qEnvironmentVariable("TARVO_WINDOW_PICTURE")));
  // Read whole, the file shows as it did read part by part.
  QCOMPARE(w->Reread(), reset);
  // File → Save preview picture… saves what the preview shows and says where.
  const QString picture = QFileInfo(w->SceneFile()).dir().filePath("saved.png");
  QTimer::singleShot(0, [&] {
    auto* dialog = w->Main().findChild<QFileDialog*>("SaveDialog");
    QVERIFY(dialog != nullptr);
    dialog->selectFile(picture);
    static_cast<QDialog*>(dialog)->accept();
  });
  for (QAction* action : w->Main().FileMenu()->actions())
    if (action->text().remove('&') == QStringLiteral("Save preview picture…")) action->trigger();
  QCOMPARE(w->Main().statusBar()->currentMessage(), "Saved the preview as " + picture + '.');
  QCOMPARE(QImage(picture).convertToFormat(reset.format()), reset);

  // A digit typed into a field stays; a click gives the preview the focus.
  auto* diam = w->Form().findChild<QLineEdit*>("Tb_Diam");
  diam->setFocus();
  QTest::keyClick(diam, Qt::Key_7);
  QVERIFY(diam->text().endsWith('7'));
  QTest::mouseClick(&w->View(), Qt::LeftButton, {}, w->View().rect().center());
  QVERIFY(w->Form().Model().Focus() == TasterView && w->View().hasFocus());
  QCOMPARE(tarvo::ui::test::ModelMismatch(w->Form()), QString());

  // Orthographic at a slant the cylinder's edges stay parallel (in perspective they converge).
  QVERIFY(!w->KeyView(Qt::Key_5).isNull());
  const QImage slant = w->KeyView(Qt::Key_0);
  const QRect side = Measure(slant).Box;
  auto row = [&](int y) { return Measure(slant.copy(0, side.top() + y, slant.width(), 1)).Box; };
  const QRect row0 = row(side.height() / 5), row1 = row(side.height() * 6 / 10);
  QVERIFY(
      Shows(std::abs(row0.left() - row1.left()) <= 1 && std::abs(row0.right() - row1.right()) <= 1,
            slant, "views_orthographic.png"));
  QVERIFY(!w->KeyView(Qt::Key_5).isNull());

  // Each view by key and by menu; the picture of the reset view as at first.
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*> keys[] = {
      {Qt::Key_1, {}, "Front"}, {Qt::Key_3, {}, "Right"}, {Qt::Key_7, {}, "Top"},
      {Qt::Key_7, Qt::ControlModifier, "Bottom"}, {Qt::Key_Home, {}, "Reset view"},
      {Qt::Key_F, {}, "Fit all"}, {Qt::Key_0, {}, "Isometric"}};
  QHash<QString, QImage> views;
  for (const auto& [key, modifiers, text] : keys) {
    const QImage byKey = views[text] = w->KeyView(key, modifiers);
    QVERIFY2(!byKey.isNull() && w->MenuView(text) == byKey, text);
  }
  QCOMPARE(views["Reset view"], reset);
  const Silhouette upright = Measure(views["Front"]), circle = Measure(views["Top"]);
  // Halfway down the cone (22.5 of the tool's 26.5) its diameter is 4.25 of the cylinder's 6.
  const double coneMiddle = Measure(views["Front"].copy(
      0, upright.Box.top() + upright.Box.height() * 22.5 / 26.5, views["Front"].width(), 1)).Box.width();
  QVERIFY(Shows(upright.Box.height() > 2 * upright.Box.width() &&
                    upright.RedY > upright.Box.center().y() + upright.Box.height() / 3 &&
                    std::abs(coneMiddle / upright.Box.width() - 4.25 / 6) < 0.05,
                views["Front"], "views_front.png"));
  const double roundness = circle.Area / (M_PI / 4 * circle.Box.width() * circle.Box.height());
  QVERIFY(Shows(std::abs(circle.Box.width() - circle.Box.height()) <= 2 &&
                    std::abs(roundness - 1) < 0.03 && circle.RedY < 0,  // the ball hidden
                views["Top"], "views_top.png"));
  QVERIFY(Shows(Measure(views["Bottom"]).RedY > 0, views["Bottom"], "views_bottom.png"));
  // From the isometric view: CONFIRM keeps it; DELETE ALL and a new tool reset the view.
  const QImage withoutBall = w->Click(Cmd_DelLast);
  QVERIFY(Shows(Measure(withoutBall).RedY < 0, withoutBall, "views_without_ball.png"));
  const QImage confirmed = w->Click(Cmd_Confirm, {{Tb_Diam, "3"}});
  QCOMPARE(confirmed, w->KeyView(Qt::Key_F));
  w->Click(Cmd_DelAll);
  QCOMPARE(w->BuildTip(), reset);
  w.reset();

  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(tarvo::ui::kVerboseVariable);
  env.remove("QT_LOGGING_RULES");
  env.remove("XDG_RUNTIME_DIR");  // Qt warns of it
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), {kQuietChild});
  QVERIFY(child.waitForFinished(4 * kLoadTimeoutMs));
  QCOMPARE(child.exitCode(), 0);
  const QStringList printed =  // all but the lines some X servers themselves cause
      QString::fromLocal8Bit(child.readAllStandardError())
          .split('\n', Qt::SkipEmptyParts)
          .filter(QRegularExpression("^(?!Xlib:  extension)(?!.*XKEYBOARD)"));
  QVERIFY2(printed.isEmpty(), qPrintable(printed.join('\n')));

  // The prism is the lower quarter of the tool's height, its cap included.
  const QImage tool(BesideTest("faces_prism.png")), disk(BesideTest("faces_disk.png"));
  const QImage ball(BesideTest("faces_ball.png"));
  const Silhouette whole = Measure(tool), tip = Measure(disk);
  const int prismTop = whole.Box.bottom() - whole.Box.height() / 4;
  const Silhouette prism = Measure(tool.copy(0, prismTop, tool.width(), tool.height() - prismTop));
  QVERIFY(Shows(prism.Area > 1000 && ShadeGroups(prism.Grey, prism.Area / 50, 15) >= 3 &&
                    whole.BlackOrWhite < whole.Area / 100,
                tool, "faces_prism.png"));
  QVERIFY(Shows(tip.RedMean >= 60 && tip.BlackOrWhite < tip.Area / 100, disk, "faces_disk.png"));
  QVERIFY(disk.size() == previewSize && IsSky(disk.pixel(1, 1)));
  // The reset view shows the tip from a little below.
  QVERIFY(Shows(Measure(ball).Red >= 150, ball, "faces_ball.png"));
}

void PreviewViewsTest::showsTheSkyForADamagedSceneFile() {
  Window w;
  w.BuildTip();
  QFile file(w.SceneFile());
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray scene = file.readAll();
  file.close();
  const QByteArray cut = scene.left(scene.indexOf("# CONE") + 40);  // inside the cone's block
  QByteArray junk(4000, '\0');
  for (int i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>(i * 7919 % 251);
  for (const QByteArray& damaged : {cut, scene + junk, junk}) {
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(damaged) > 0);
    file.close();
    const QImage sky = w.Reread();
    QVERIFY(Shows(!sky.isNull() && Measure(sky).Area == 0, sky, "damaged.png"));
    QVERIFY2(w.StatusLine().startsWith("The preview cannot show Taster.wrl: ") &&
                 w.StatusLine().contains(" | Elements 3 of 50"),
             qPrintable(w.StatusLine()));
  }
  // DELETE ALL writes a new scene file; the next tool shows and the note is gone.
  w.Click(Cmd_DelAll);
  QVERIFY(Measure(w.BuildTip()).RedY > 0);
  QVERIFY2(w.StatusLine().startsWith("Elements 3 of 50"), qPrintable(w.StatusLine()));
}

// The dark runs along the picture's middle row: the edges it crosses.
int EdgesAcrossTheMiddle(const QImage& image) {
  int runs = 0;
  bool dark = false;
  for (int x = 0, y = image.height() / 2; x < image.width(); ++x) {
    const QRgb c = image.pixel(x, y);
    const bool now = qGray(c) < 110 && std::abs(qRed(c) - qBlue(c)) <= 10;
    runs += now && !dark;
    dark = now;
  }
  return runs;
}

void PreviewViewsTest::drawsTheEdgesOfFacesOfOneOrientation() {
  Window w;
  w.Build(Ob_Polyg, {{{Tb_Diam, "6"}, {Tb_Height, "20"}},
                     {{Ob_Cone, nullptr}, {Cb_Edges, "6"}, {Tb_Diam2, "5"}, {Tb_Height, "10"}}});
  QVERIFY(!w.KeyView(Qt::Key_5).isNull());  // orthographic
  const QImage top = w.KeyView(Qt::Key_7);
  // The hexagon's two sides and the circle's two halves.
  QVERIFY(Shows(EdgesAcrossTheMiddle(top) == 4, top, "edges_top.png"));
}

void PreviewViewsTest::showsAToolOfAnySize() {
  Window w;
  for (const auto& [diameter, height] : {std::pair{"1e30", "10"}, {"3e-20", "1e-19"}, {"0.5", "1"}}) {
    w.Click(Cmd_DelAll);
    const QImage shown = w.Build(Ob_Tip, {{{Tb_Diam, diameter}, {Tb_Height, height}}});
    QVERIFY2(Shows(Measure(shown).Area > 1000, shown, "any_size.png"), diameter);
    QVERIFY2(!w.StatusLine().startsWith("The preview cannot show"), qPrintable(w.StatusLine()));
  }
  QCOMPARE(w.StatusLine().left(9), QStringLiteral("Elements "));
  w.Click(Cmd_DelAll);
  const QImage sky = w.Build(Ob_Tip, {{{Tb_Diam, "1e38"}, {Tb_Height, "1e-30"}}});
  QVERIFY(Shows(Measure(sky).Area == 0, sky, "too_large.png"));
  QVERIFY2(w.StatusLine().startsWith("The preview cannot show an element of diameter 1E+38 | HEIGHT 1E-30 is smaller"),
           qPrintable(w.StatusLine()));
}

// The child: a cylinder 20 × 10 over a six-edge prism of edge 5 and height 10; a tip with a
// cone and a red disk 12 × 2, seen from above (isometric); a ball of diameter 2 under a shank of
// diameter 4. Saves each as File → Save preview picture does.
static int BuildToolsQuietly() {
  Window w;
  w.Build(Ob_Polyg, {{{Tb_Diam, "10"}, {Tb_Height, "20"}},
                     {{Ob_Cone, nullptr}, {Cb_Edges, "6"}, {Tb_Diam2, "5"}, {Tb_Height, "10"}}});
  const bool prism = SavePreviewPicture(w.View(), BesideTest("faces_prism.png"));
  w.Click(Cmd_DelAll);
  w.Build(Ob_Tip, {{{Tb_Diam, "6"}, {Tb_Height, "20"}},
                   {{Ob_Cone, nullptr}, {Tb_Diam, "6"}, {Tb_Diam2, "2"}, {Tb_Height, "5"}},
                   {{Ob_Sphere, nullptr}, {Cb_Disk, nullptr}, {Tb_Diam, "12"}, {Tb_Height, "2"}}});
  w.KeyView(Qt::Key_0);
  const bool disk = SavePreviewPicture(w.View(), BesideTest("faces_disk.png"));
  w.Click(Cmd_DelAll);
  w.Build(Ob_Tip, {{{Tb_Diam, "4"}, {Tb_Height, "20"}}, {{Ob_Sphere, nullptr}, {Tb_Diam, "2"}}});
  return prism && disk && SavePreviewPicture(w.View(), BesideTest("faces_ball.png")) ? 0 : 1;
}

int main(int argc, char** argv) {
  const bool child = argc == 2 && QByteArray(argv[1]) == kQuietChild;
  tarvo::ui::ShowCoinMessages(tarvo::ui::VerboseWanted(argc, argv));
  if (child) tarvo::ui::ShowQtMessages(false);  // as the program starts
  QApplication app(argc, argv);
  PreviewViewsTest test;
  return child ? BuildToolsQuietly() : QTest::qExec(&test, argc, argv);
}

#include "preview_views_test.moc"
