// window_timings: opens the program's window as tarvo-tools does, builds a
// tip of kElements elements, cylinders and cones in turn, by clicks and
// typing, presses EXIT, and prints one line per measurement:
//   shown MS           the window's first paint is done
//   first-frame MS     the preview shows the empty scene of start-up
//   warmed-up MS       the preview has drawn its warm-up tool unseen (see
//                      WarmUpTool); the user's first click waits for it, as a
//                      person reads the window for longer than that
//   confirm N MS       from the click on CONFIRM for element N to the preview
//                      showing it (N up to kTimedElements)
//   undo N MS          from Edit → Undo of element N's CONFIRM to the preview
//                      showing the tool without it (N = kElements)
//   redo N MS          from Edit → Redo of that CONFIRM to the preview showing
//                      the tool with it again (then undone once more, untimed)
//   change 1 MS        from OK on element 1's new diameter to the preview
//                      showing the rebuilt tool of kElements - 1 elements
//   insert K MS        from OK on a new cylinder above element K to the
//                      preview showing it (K = kElements / 2)
//   remove K MS        from the removal of that element to the preview
// Each edit's line is followed by "cpu NAME MS": the processor time all the
// process's threads (Mesa's rasterizers among them) spent on it, which
// depends less on other work on the machine than the time on the clock.
// The first three count from the start of the process. With --verbose Coin
// reports to standard error, as in the program. With --pictures DIR the
// preview after each timed edit is saved there as NAME.png, to compare the
// pictures of two builds.
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "app/tools_window.h"
#include "editor/editor.h"
#include "ui/preview/coin_messages.h"

namespace {

constexpr int kTimedElements = 30;  // CONFIRMs timed
constexpr int kElements = 50;       // the tool that undo and change work on
constexpr int kLoadTimeoutMs = 60000;

double NowMs(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Milliseconds since the kernel started this process. Its start time in
// /proc/self/stat (field 22, after the command in parentheses) counts clock
// ticks of the boot-time clock.
double MsSinceProcessStart() {
  std::ifstream file("/proc/self/stat");
  const std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::size_t at = stat.rfind(')') + 2;  // field 3
  for (int field = 3; field < 22; ++field) at = stat.find(' ', at) + 1;
  const double ticks = std::stod(stat.substr(at));
  return NowMs(CLOCK_BOOTTIME) - ticks * 1e3 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void Print(const char* what, double ms) {
  std::printf("%s %.1f\n", what, ms);
  std::fflush(stdout);
}

// Prints "shown" once the window's first paint has been handled.
class FirstPaint final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QMetaObject::invokeMethod(this, &FirstPaint::Shown, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  void Shown() { Print("shown", MsSinceProcessStart()); }
};

// The user at the window: clicks and keys on the widgets named after their controls.
class User {
 public:
  explicit User(QWidget& window) : window_(window) {}

  void Click(const char* name) {
    QWidget* widget = Find(name);
    QWidget* under = widget->childAt(widget->rect().center());
    QTest::mouseClick(under ? under : widget, Qt::LeftButton);
  }
  // Focusing a text box selects its text, so the keys replace it.
  void Enter(const char* name, const char* keys) {
    if (!Find(name)->hasFocus()) Click(name);
    QTest::keyClicks(Find(name), QString::fromLatin1(keys));
  }

 private:
  QWidget* Find(const char* name) const {
    QWidget* widget = window_.findChild<QWidget*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no control %s", name);
    return widget;
  }

  QWidget& window_;
};

void Await(QSignalSpy& spy, const char* what) {
  if (spy.isEmpty() && !spy.wait(kLoadTimeoutMs)) qFatal("%s did not come", what);
  spy.clear();
}

}  // namespace

int main(int argc, char** argv) {
  tarvo::ui::ShowCoinMessages(tarvo::ui::VerboseWanted(argc, argv));
  QApplication app(argc, argv);
  const QStringList arguments = QApplication::arguments();
  const qsizetype picturesAt = arguments.indexOf(QStringLiteral("--pictures"));
  const QString pictures = picturesAt >= 0 && picturesAt + 1 < arguments.size() ? arguments[picturesAt + 1] : QString();
  QTemporaryDir directory;
  tarvo::app::ToolsWindow tools(QFile::encodeName(directory.path()).toStdString());
  FirstPaint firstPaint;
  tools.Window().installEventFilter(&firstPaint);
  QSignalSpy loaded(&tools.Preview(), &tarvo::ui::TasterView::sceneLoaded);
  QSignalSpy warmed(&tools.Preview(), &tarvo::ui::TasterView::warmedUp);
  tools.Open();
  Await(loaded, "the first frame");
  Print("first-frame", MsSinceProcessStart());
  Await(warmed, "the warm-up");
  Print("warmed-up", MsSinceProcessStart());

  User user(tools.Window());
  user.Enter("Tb_ToolName", "BENCH");
  user.Click("Cmd_NewTool");
  user.Click("Cmd_Add");
  for (int element = 1; element <= kElements; ++element) {
    const bool cone = element % 2 == 0;
    user.Click(cone ? "Ob_Cone" : "Ob_Cylinder");
    user.Enter("Tb_Diam", "6");
    if (cone) user.Enter("Tb_Diam2", "4");
    user.Enter("Tb_Height", "2");
    const double clicked = NowMs(CLOCK_MONOTONIC), cpu = NowMs(CLOCK_PROCESS_CPUTIME_ID);
    user.Click("Cmd_Confirm");
    Await(loaded, "the scene");
    if (element > kTimedElements) continue;
    const std::string what = "confirm " + std::to_string(element);
    Print(what.c_str(), NowMs(CLOCK_MONOTONIC) - clicked);
    Print(("cpu " + what).c_str(), NowMs(CLOCK_PROCESS_CPUTIME_ID) - cpu);
    if (!pictures.isEmpty() && (element == 1 || element == 2)) {
      tools.Preview().Picture().save(pictures + QStringLiteral("/confirm-%1.png").arg(element));
    }
  }
  if (!pictures.isEmpty()) tools.Preview().Picture().save(pictures + QStringLiteral("/confirm-%1.png").arg(kElements));

  const auto timed = [&](const std::string& what, const auto& act) {
    const double started = NowMs(CLOCK_MONOTONIC), cpu = NowMs(CLOCK_PROCESS_CPUTIME_ID);
    act();
    Await(loaded, what.c_str());
    Print(what.c_str(), NowMs(CLOCK_MONOTONIC) - started);
    Print(("cpu " + what).c_str(), NowMs(CLOCK_PROCESS_CPUTIME_ID) - cpu);
    if (!pictures.isEmpty()) {
      QString name = QString::fromStdString(what).replace(' ', '-');
      tools.Preview().Picture().save(pictures + '/' + name + ".png");
    }
  };
  const auto trigger = [&tools](const char* name) {
    QAction* action = tools.Main().findChild<QAction*>(QString::fromLatin1(name));
    if (action == nullptr || !action->isEnabled()) qFatal("no %s to trigger", name);
    action->trigger();
  };
  const std::string last = std::to_string(kElements);
  timed("undo " + last, [&] { trigger("Undo"); });
  timed("redo " + last, [&] { trigger("Redo"); });
  trigger("Undo");
  Await(loaded, "the scene after the second Undo");

  // The change dialog's OK, as the dialog's window hands it to the editor.
  tools.Window().RunOnEditor([](tarvo::editor::Editor& editor) {
    if (!editor.OpenChange(1)) qFatal("no element 1 to change");
    editor.TypeInDialog(tarvo::editor::ControlId::Tb_Diam, "7");
  });
  const auto ok = [&tools] {
    tools.Window().RunOnEditor([](tarvo::editor::Editor& editor) {
      if (!editor.DialogOk()) qFatal("the dialog's OK was refused");
    });
  };
  timed("change 1", ok);
  constexpr int kMiddle = kElements / 2;
  tools.Window().RunOnEditor([](tarvo::editor::Editor& editor) {
    if (!editor.OpenInsert(kMiddle, "Cyl")) qFatal("no insert above element %d", kMiddle);
    editor.TypeInDialog(tarvo::editor::ControlId::Tb_Height, "2");
    editor.TypeInDialog(tarvo::editor::ControlId::Tb_Diam, "5");
  });
  timed("insert " + std::to_string(kMiddle), ok);
  timed("remove " + std::to_string(kMiddle), [&tools] {
    tools.Window().RunOnEditor([](tarvo::editor::Editor& editor) {
      if (!editor.RemoveElement(kMiddle)) qFatal("element %d was not removed", kMiddle);
    });
  });
  user.Click("Cmd_Exit");
  return 0;
}
