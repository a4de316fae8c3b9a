// The figures of a 50-element tool, bending and heat included: budget 1 ms.
// Stems of cylinders, and the same stems as cones (the bending's integral
// over a changing width, its dearest case).
#include <benchmark/benchmark.h>

#include <string>

#include "sheet/tool_figures.h"

namespace tarvo::bench {
namespace {

std::vector<sheet::ElementProfile> FiftyElements(bool cones) {
  std::string block = "ITEM:THIN50 TARVO1\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\n";
  for (int i = 0; i < 49; ++i) {
    block += (cones ? "cone 0 0 " : "cylinder 0 0 ") + std::to_string(-0.5 * i) + (cones ? " 3" : "") + " 0 0 " +
             std::to_string(-0.5 * (i + 1)) + (cones ? " 0.3\r\n" : " 2.5\r\n");
  }
  block += "color 255 0 0\r\nsphere 0 0 -24.5 2\r\nhotspot 0 0 -24.5 0 0 1 2 2 ball\r\nendtip\r\n";
  return sheet::ProfilesOf(mesh::ReadToolSolids(block).Solids);
}

void FiguresFifty(benchmark::State& state, bool cones) {
  const std::vector<sheet::ElementProfile> elements = FiftyElements(cones);
  for (auto _ : state) benchmark::DoNotOptimize(sheet::FiguresOf(elements, {}).Bending);
}

BENCHMARK_CAPTURE(FiguresFifty, Cylinders, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FiguresFifty, Cones, true)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvo::bench
