// sheet_timings: the data sheet's budgets, one line per measurement:
//   figures-50 US      the figures of a 50-element tip from its definition
//                      lines (mean of many runs)
//   layout-50 US       its whole page laid out, figures included
//   dialog-50 MS       from asking for the sheet (what File → Tool data
//                      sheet… does) to the dialog painted on screen
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <chrono>
#include <cstdio>

#include "sheet/data_sheet.h"
#include "ui/sheet_dialog.h"

namespace {

std::string FiftyElementTip() {
  std::string block = "ITEM:THIN50 TARVO1\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\n";
  for (int i = 0; i < 48; ++i) {
    block += "cylinder 0 0 " + std::to_string(-0.5 * i) + " 0 0 " + std::to_string(-0.5 * (i + 1)) + " 3\r\n";
  }
  block += "cone 0 0 -24 3 0 0 -25 1.5\r\n";
  return block + "color 255 0 0\r\nsphere 0 0 -25 2\r\nhotspot 0 0 -25 0 0 1 2 2 ball\r\nendtip\r\n";
}

template <typename F>
double MeanMicroseconds(int runs, F&& work) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) work();
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / runs;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const std::string block = FiftyElementTip();
  double sink = 0;
  std::printf("figures-50-us %.1f\n", MeanMicroseconds(2000, [&] { sink += tarvo::sheet::FiguresOfBlock(block, {})->Mass; }));
  std::printf("layout-50-us %.1f\n", MeanMicroseconds(200, [&] { sink += tarvo::sheet::SheetOfBlock(block, {})->Drawing.Factor; }));
  QElapsedTimer timer;
  timer.start();
  tarvo::ui::SheetDialog dialog(block, 0, 0, QString());
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog, 5000)) return 1;
  std::printf("dialog-50-ms %.1f\n", static_cast<double>(timer.nsecsElapsed()) / 1e6);
  return sink > 0 ? 0 : 1;
}
