// Each editor command beside the bare file operations it must do, so that a
// command is read as a ratio to the work the file system cannot avoid.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>

#include "editor/editor.h"
#include "file_baseline.h"
#include "scene/scene_blocks.h"

namespace tarvo::bench {
namespace {

namespace fs = std::filesystem;
// Every step of a tool also appends its line to the tool's history, work a
// command cannot avoid either.
constexpr const char* kHistory = ".tarvo-tools.history";
using enum editor::ControlId;

class SilentMessages final : public editor::MessageBoxes {
 public:
  void Show(std::string_view, std::string_view) override {}
};

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// An editor on a real directory of its own.
class Workspace {
 public:
  explicit Workspace(platform::FileSystem* files = nullptr)
      : files_(files ? *files : disk_), dir_(fs::temp_directory_path() / ("tarvo-bench-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(dir_);
    Restart();
  }
  ~Workspace() { fs::remove_all(dir_); }

  // A new editor on an empty directory.
  void Restart() {
    for (const char* name : {"Taster.wrl", "Taster_Old.wrl", "usrprobe.dat", "usrprobe_old.dat", kHistory}) {
      fs::remove(dir_ / name);
    }
    Load();
  }
  // A new editor on the files as they are, as when the program starts again.
  void Load() {
    editor_ = std::make_unique<editor::Editor>(dir_, files_, view_, messages_, locale_);
    editor_->Load();
  }
  editor::Editor& Editor() { return *editor_; }
  fs::path File(const char* name) const { return dir_ / name; }

  void Start(editor::ControlId kind) {
    Editor().Type(Tb_ToolName, "BENCH");
    Editor().Click(Cmd_NewTool);
    Editor().Click(kind);
    Editor().Click(Cmd_Add);
  }
  void Confirm(std::initializer_list<std::pair<editor::ControlId, const char*>> fields) {
    for (const auto& [id, text] : fields) Editor().Type(id, text);
    Editor().Click(Cmd_Confirm);
  }

 private:
  platform::DiskFileSystem disk_;
  platform::FileSystem& files_;
  fs::path dir_;
  scene::NoSceneView view_;
  SilentMessages messages_;
  numbers::FixedLocaleQuery locale_{std::string(".")};
  std::unique_ptr<editor::Editor> editor_;
};

// One kind of element: how to reach the state before its CONFIRM, and its fields.
struct ElementCase {
  std::function<void(Workspace&)> Prepare;
  std::function<void(Workspace&)> Confirm;
  bool UndoByDeleteLast = true;  // false: the tool is built again, as DELETE LAST empties the mesh
};

ElementCase Cylinder() {
  return {[](Workspace& w) { w.Start(Ob_Tip); },
          [](Workspace& w) { w.Confirm({{Tb_Height, "20"}, {Tb_Diam, "6"}}); }};
}
ElementCase Cone() {
  return {[](Workspace& w) {
            w.Start(Ob_Tip);
            w.Editor().Click(Ob_Cone);
          },
          [](Workspace& w) { w.Confirm({{Tb_Height, "5"}, {Tb_Diam, "6"}, {Tb_Diam2, "2.5"}}); }};
}
ElementCase Ball() {
  return {[](Workspace& w) {
            w.Start(Ob_Tip);
            w.Editor().Click(Ob_Sphere);
          },
          [](Workspace& w) { w.Confirm({{Tb_Diam, "3"}}); }};
}
ElementCase Disk() {
  return {[](Workspace& w) {
            w.Start(Ob_Tip);
            w.Editor().Click(Ob_Sphere);
            w.Editor().Click(Cb_Disk);
          },
          [](Workspace& w) { w.Confirm({{Tb_Diam, "12"}, {Tb_Height, "2"}}); }};
}
ElementCase Polygon30() {
  return {[](Workspace& w) {
            w.Start(Ob_Polyg);
            w.Editor().Click(Ob_Cone);
          },
          [](Workspace& w) { w.Confirm({{Cb_Edges, "30"}, {Tb_Diam2, "2"}, {Tb_Height, "3"}}); }};
}
// The third 30-edge two-level polygon: as many preview faces as a tool can hold.
ElementCase TwoLevel30Full() {
  const auto confirm = [](Workspace& w) {
    w.Confirm({{Cb_Edges, "30"}, {Tb_Diam2, "2"}, {Tb_LengthMin, "1.5"}, {Tb_Height, "3"}});
  };
  return {[confirm](Workspace& w) {
            w.Start(Ob_Polyg);
            w.Editor().Click(Ob_Sphere);
            confirm(w);
            confirm(w);
          },
          confirm, false};
}

void RunConfirm(benchmark::State& state, const ElementCase& element) {
  Workspace w;
  element.Prepare(w);
  for (auto _ : state) {
    element.Confirm(w);
    state.PauseTiming();
    if (element.UndoByDeleteLast) {
      w.Editor().Click(Cmd_DelLast);
    } else {
      w.Editor().Click(Cmd_DelAll);
      element.Prepare(w);
    }
    state.ResumeTiming();
  }
}

// The bare work of a CONFIRM: the scene backup and the append of the same block.
void RunConfirmBaseline(benchmark::State& state, const ElementCase& element) {
  Workspace w;
  element.Prepare(w);
  const std::string before = Read(w.File("Taster.wrl"));
  const std::size_t historyBefore = Read(w.File(kHistory)).size();
  element.Confirm(w);
  const std::string block = Read(w.File("Taster.wrl")).substr(before.size());
  const std::string line = Read(w.File(kHistory)).substr(historyBefore);
  BareWrite(w.File("Taster.wrl"), before);
  for (auto _ : state) {
    BareCopy(w.File("Taster.wrl"), w.File("Taster_Old.wrl"));
    BareAppend(w.File("Taster.wrl"), block);
    BareAppend(w.File(kHistory), line);
    state.PauseTiming();
    BareWrite(w.File("Taster.wrl"), before);
    state.ResumeTiming();
  }
}

void BuildTipWithCone(Workspace& w) {
  w.Start(Ob_Tip);
  w.Confirm({{Tb_Height, "20"}, {Tb_Diam, "6"}});
  w.Editor().Click(Ob_Cone);
  w.Confirm({{Tb_Height, "5"}, {Tb_Diam, "6"}, {Tb_Diam2, "2.5"}});
}

void DeleteLast(benchmark::State& state) {
  Workspace w;
  BuildTipWithCone(w);
  for (auto _ : state) {
    w.Editor().Click(Cmd_DelLast);
    state.PauseTiming();
    w.Confirm({{Tb_Height, "5"}, {Tb_Diam, "6"}, {Tb_Diam2, "2.5"}});
    state.ResumeTiming();
  }
}

void DeleteLastBaseline(benchmark::State& state) {
  Workspace w;
  BuildTipWithCone(w);
  const std::string after = Read(w.File("Taster.wrl"));
  for (auto _ : state) {
    BareCopy(w.File("Taster_Old.wrl"), w.File("Taster.wrl"));
    BareAppend(w.File(kHistory), "DELETE LAST\r\n");
    state.PauseTiming();
    BareWrite(w.File("Taster.wrl"), after);
    state.ResumeTiming();
  }
}

// usrprobe.dat already holds a hundred tools.
void PrepareExport(Workspace& w, const std::string& earlierTools) {
  w.Restart();
  BareWrite(w.File("usrprobe.dat"), earlierTools);
  w.Start(Ob_Tip);
  w.Confirm({{Tb_Height, "20"}, {Tb_Diam, "6"}});
  w.Editor().Click(Ob_Sphere);
  w.Confirm({{Tb_Diam, "3"}});
}

std::string EarlierTools() {
  std::string tools;
  for (int i = 0; i < 100; ++i) {
    tools += "ITEM:T" + std::to_string(i) +
             " TARVO1\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\ncylinder 0 0 0 0 0 -20 6\r\n"
             "color 255 0 0\r\nsphere 0 0 -20 3\r\nhotspot 0 0 -20 0 0 1 3 3 ball\r\nendtip\r\n\r\n";
  }
  return tools;
}

// The disk's files with every durable write made as a scratch one, neither it
// nor its folder flushed: EXPORT as it was before it flushed.
class NoFlushes final : public platform::FileSystem {
 public:
  using Path = std::filesystem::path;
  platform::FileStatus Write(const Path& file, std::string_view bytes, platform::Durability) override {
    return disk_.Write(file, bytes, platform::Durability::Scratch);
  }
  platform::FileStatus Append(const Path& file, std::string_view bytes, platform::Durability) override {
    return disk_.Append(file, bytes, platform::Durability::Scratch);
  }
  platform::FileStatus Copy(const Path& from, const Path& to, platform::Durability) override {
    return disk_.Copy(from, to, platform::Durability::Scratch);
  }
  platform::FileStatus Read(const Path& file, std::string& bytes) override { return disk_.Read(file, bytes); }
  platform::FileStatus Stage(const Path& file, std::string_view bytes, platform::Durability,
                             platform::StagedFile& staged) override {
    return disk_.Stage(file, bytes, platform::Durability::Scratch, staged);
  }
  platform::FileStatus Commit(const platform::StagedFile& staged) override { return disk_.Commit(staged); }
  void Discard(const platform::StagedFile& staged) override { disk_.Discard(staged); }

 private:
  platform::DiskFileSystem disk_;
};

void Export(benchmark::State& state, bool flushes) {
  NoFlushes noFlushes;
  Workspace w(flushes ? nullptr : &noFlushes);
  const std::string earlier = EarlierTools();
  PrepareExport(w, earlier);
  for (auto _ : state) {
    w.Editor().Click(Cmd_Export);
    state.PauseTiming();
    PrepareExport(w, earlier);
    state.ResumeTiming();
  }
}

// The bare work of EXPORT: the definition backup, the append of the block (both
// flushed, or not), then the discarded scene's backup and a fresh scene.
void ExportBaseline(benchmark::State& state, bool flushes) {
  Workspace w;
  const std::string earlier = EarlierTools();
  PrepareExport(w, earlier);
  const std::string block = w.Editor().Window().Text(RTB_Tool) + "endtip\r\n\r\n";
  const std::string scene = Read(w.File("Taster.wrl"));
  const std::string header = scene::HeaderBlock();
  for (auto _ : state) {
    BareCopy(w.File("usrprobe.dat"), w.File("usrprobe_old.dat"), flushes);
    BareAppend(w.File("usrprobe.dat"), block, flushes);
    BareCopy(w.File("Taster.wrl"), w.File("Taster_Old.wrl"));
    BareWrite(w.File("Taster.wrl"), header);
    BareWrite(w.File(kHistory), "TARVO TOOLS HISTORY 1\r\n");
    state.PauseTiming();
    BareWrite(w.File("usrprobe.dat"), earlier);
    BareWrite(w.File("Taster.wrl"), scene);
    state.ResumeTiming();
  }
}

void StartUp(benchmark::State& state) {
  Workspace w;
  for (auto _ : state) w.Load();  // the editor's load: the backup and a fresh scene
}

void StartUpBaseline(benchmark::State& state) {
  Workspace w;
  const std::string header = scene::HeaderBlock();
  for (auto _ : state) {
    BareCopy(w.File("Taster.wrl"), w.File("Taster_Old.wrl"));
    BareWrite(w.File("Taster.wrl"), header);
  }
}

// A tip of 49 cylinders and a ball: the largest tool a history rebuilds.
void BuildFifty(Workspace& w) {
  w.Start(Ob_Tip);
  for (int i = 0; i < 49; ++i) w.Confirm({{Tb_Height, "2"}, {Tb_Diam, "6"}});
  w.Editor().Click(Ob_Sphere);
  w.Confirm({{Tb_Diam, "3"}});
}

// Undo and redo in turn on the 50-element tool: each rebuilds it from its steps.
void HistoryUndoFifty(benchmark::State& state) {
  Workspace w;
  BuildFifty(w);
  bool undo = true;
  for (auto _ : state) {
    if (undo ? !w.Editor().Undo() : !w.Editor().Redo()) state.SkipWithError("no step");
    undo = !undo;
  }
}

// The first element's diameter changed, 6 and 7 in turn.
void HistoryChangeFifty(benchmark::State& state) {
  Workspace w;
  BuildFifty(w);
  bool seven = true;
  for (auto _ : state) {
    w.Editor().OpenChange(1);
    w.Editor().TypeInDialog(Tb_Diam, seven ? "7" : "6");
    if (!w.Editor().DialogOk()) state.SkipWithError("not changed");
    seven = !seven;
  }
}

#define TARVO_CONFIRM_BENCH(Kind)                                                          \
  BENCHMARK_CAPTURE(RunConfirm, Kind, Kind())->Unit(benchmark::kMicrosecond);              \
  BENCHMARK_CAPTURE(RunConfirmBaseline, Kind, Kind())->Unit(benchmark::kMicrosecond)

TARVO_CONFIRM_BENCH(Cylinder);
TARVO_CONFIRM_BENCH(Cone);
TARVO_CONFIRM_BENCH(Ball);
TARVO_CONFIRM_BENCH(Disk);
TARVO_CONFIRM_BENCH(Polygon30);
TARVO_CONFIRM_BENCH(TwoLevel30Full);
BENCHMARK(DeleteLast)->Unit(benchmark::kMicrosecond);
BENCHMARK(DeleteLastBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Export, Flushed, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ExportBaseline, Flushed, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Export, WithoutFlushes, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ExportBaseline, WithoutFlushes, false)->Unit(benchmark::kMicrosecond);
BENCHMARK(StartUp)->Unit(benchmark::kMicrosecond);
BENCHMARK(StartUpBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(HistoryUndoFifty)->Unit(benchmark::kMicrosecond);
BENCHMARK(HistoryChangeFifty)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvo::bench

BENCHMARK_MAIN();
