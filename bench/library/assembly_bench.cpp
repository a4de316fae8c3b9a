// An assembly of 5 parts and 50 elements: its figures (budget 1 ms), its
// writing as one tool, typed through the editor and exported (budget 50 ms),
// and its preview's scene (budget 50 ms for the whole preview).
#include <benchmark/benchmark.h>

#include <sstream>

#include "library/assembly.h"
#include "library/assembly_output.h"
#include "library/assembly_tool.h"
#include "numbers/decimal_separator.h"
#include "scene/memory_file_system.h"
#include "scene/scene_view.h"
#include "script/replay_script.h"

namespace tarvo::bench {
namespace {

// Four extensions of 10 cylinders and a tip of 9 cylinders and a ball.
library::Library FiftyElements() {
  scene::MemoryFileSystem files;
  for (int part = 0; part < 5; ++part) {
    const bool tip = part == 4;
    std::string script = "set Tb_ToolName P" + std::to_string(part) + "\nclick Cmd_NewTool\nclick " +
                         (tip ? "Ob_Tip" : "Ob_Extend") + "\nclick Cmd_Add\n";
    for (int i = 0; i < (tip ? 9 : 10); ++i) {
      script += "click Ob_Cylinder\nset Tb_Height 2.5\nset Tb_Diam " + std::to_string(8 - part) + "\nclick Cmd_Confirm\n";
    }
    if (tip) script += "click Ob_Sphere\nset Tb_Diam 4\nclick Cmd_Confirm\n";
    script += "click Cmd_Export\n";
    scene::NoSceneView view;
    numbers::FixedLocaleQuery locale(".");
    std::ostringstream out, err;
    replay::ReplayMessages messages(out);
    editor::Editor editor("/d", files, view, messages, locale);
    editor.Load();
    replay::RunScript("bench", script, editor, messages, out, err);
  }
  return library::ReadLibrary(files.Read("/d/usrprobe.dat"));
}

std::vector<library::PartRef> Parts() {
  std::vector<library::PartRef> parts;
  for (const char* name : {"P0", "P1", "P2", "P3", "P4"}) parts.push_back(*library::ReadPart(name));
  return parts;
}
const std::vector<library::PartRef> kParts = Parts();

void AssemblyFigures(benchmark::State& state) {
  const library::Library library = FiftyElements();
  for (auto _ : state) {
    const library::Stack stack = library::StackOf(library, kParts);
    benchmark::DoNotOptimize(library::StackFigures(stack, std::nullopt));
  }
}

void WriteAsOneTool(benchmark::State& state) {
  const library::Library library = FiftyElements();
  const library::Stack stack = library::StackOf(library, kParts);
  for (auto _ : state) {
    scene::MemoryFileSystem files;
    const library::OneToolScript script = library::ScriptOfStack(library, stack, "ONE");
    if (!script.Proven()) state.SkipWithError(script.Reason.c_str());
    benchmark::DoNotOptimize(library::WriteOneTool(files, "/d", script));
  }
}

// The preview's scene after a change of the parts: stacked, then drawn.
void StackPreviewScene(benchmark::State& state) {
  const library::Library library = FiftyElements();
  for (auto _ : state) {
    const library::Stack stack = library::StackOf(library, kParts);
    benchmark::DoNotOptimize(library::StackScene(stack));
  }
}

BENCHMARK(AssemblyFigures)->Unit(benchmark::kMicrosecond);
BENCHMARK(WriteAsOneTool)->Unit(benchmark::kMillisecond);
BENCHMARK(StackPreviewScene)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvo::bench

BENCHMARK_MAIN();
