// Every tool the editor exports can be rebuilt from its lines alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <iomanip>
#include <random>

#include "library/library_file.h"
#include "library/tool_scene.h"
#include "library/tool_script.h"
#include "testing/replay_editor.h"
#include "testing/temp_folder.h"

namespace tarvo::library {
namespace {

using namespace tarvo::testing;

// A random tool of every kind, as a user would type it.
struct ToolGenerator {
  std::string Script(int number, char separator) {
    separator_ = separator;
    const int kind = number % 3;  // tip, extension, polygonal
    std::string s = "set Tb_ToolName T" + std::to_string(number % 150) + "\n";
    if (Chance(0.3)) s += "pick Cb_Extension " + std::to_string(Between(1, 5)) + "\n";
    s += std::string("click Cmd_NewTool\nclick ") + (kind == 0 ? "Ob_Tip" : kind == 1 ? "Ob_Extend" : "Ob_Polyg") +
         "\nclick Cmd_Add\n";
    for (int i = 0, elements = Between(1, kind == 2 ? 3 : 6); i < elements; ++i) {  // within 200 lines
      const int type = kind == 1 ? 0 : kind == 2 && i == elements - 1 ? Between(1, 2) : Between(0, 2);
      s += type == 0   ? "click Ob_Cylinder" + Set("Tb_Height") + Set("Tb_Diam")
           : kind == 0 ? "click Ob_Cone" + Set("Tb_Height") + Set("Tb_Diam") + Set("Tb_Diam2")
                       : (type == 1 ? "click Ob_Cone" : "click Ob_Sphere") + Set("Cb_Edges", std::to_string(Between(3, 30))) +
                             Set("Tb_Diam2") + (type == 2 ? Set("Tb_LengthMin", Chance(0.2) ? "10" : Value()) : "") +
                             Set("Tb_Height");
      s += "\nclick Cmd_Confirm\n";
    }
    if (kind == 0) s += std::string("click Ob_Sphere") + (Chance(0.5) ? "\nclick Cb_Disk" + Set("Tb_Height") : "") +
                        Set("Tb_Diam") + "\nclick Cmd_Confirm\n";
    return s + "click Cmd_Export\n";
  }

  bool Chance(double p) { return std::uniform_real_distribution<>(0, 1)(random_) < p; }
  int Between(int low, int high) { return std::uniform_int_distribution<>(low, high)(random_); }
  std::string Set(const char* field, const std::string& value) { return "\nset " + std::string(field) + " " + value; }
  std::string Set(const char* field) { return Set(field, Value()); }
  std::string Value() {  // 0.1 to 60 with up to four decimals
    std::ostringstream text;
    text << std::fixed << std::setprecision(Between(0, 4)) << std::uniform_real_distribution<>(0.1, 60)(random_);
    std::string typed = text.str();
    std::replace(typed.begin(), typed.end(), '.', separator_);
    return typed == "0" ? "1" : typed;
  }

  std::mt19937 random_{20261206};
  char separator_ = '.';
};

// Each tool's proven script, run on an empty editor, exports exactly its block.
void ExpectEveryToolRebuilds(const std::string& file) {
  const Library library = ReadLibrary(file);
  for (const Tool& tool : library.Tools) {
    if (tool.Elements.empty()) continue;  // written by hand before the export
    const RebuildScript script = DeriveScript(library, tool);
    ASSERT_TRUE(script.Proven()) << "tool " << tool.Position << ": " << script.Reason << "\n" << library.Block(tool);
    EXPECT_TRUE(script.Script.starts_with(std::string("# --decimal-separator ") + script.Separator + "\n"));
    MemoryFileSystem files;
    ASSERT_EQ(ReplayEditor(files, script.Separator).Run(script.Script), 0);
    EXPECT_EQ(files.Read("/d/usrprobe.dat"), library.Block(tool)) << script.Script;
  }
}

TEST(RoundTrip, GeneratedToolsOfEveryKindRebuildByteForByte) {
  ToolGenerator generator;
  MemoryFileSystem files;
  for (int i = 0; i < 240; ++i) {
    const char separator = i % 2 == 0 ? '.' : ',';
    ReplayEditor replay(files, separator);
    ASSERT_EQ(replay.Run(generator.Script(i, separator)), 0) << replay.output.str() << replay.errors.str();
  }
  const std::string file = files.Read("/d/usrprobe.dat");
  ASSERT_EQ(ReadLibrary(file).Tools.size(), 240U);
  ExpectEveryToolRebuilds(file);
}

// The tool library shows an exported tool as the window showed it while it
// was built: the same scene, byte for byte.
TEST(RoundTrip, TheLibrarysSceneIsTheWindowsScene) {
  ToolGenerator generator;
  for (int i = 0; i < 30; ++i) {
    const char separator = i % 2 == 0 ? '.' : ',';
    const std::string script = generator.Script(i, separator);
    MemoryFileSystem built, exported;
    ASSERT_EQ(ReplayEditor(built, separator).Run(script.substr(0, script.rfind("click Cmd_Export"))), 0);
    ASSERT_EQ(ReplayEditor(exported, separator).Run(script), 0);
    const Library library = ReadLibrary(exported.Read("/d/usrprobe.dat"));
    ASSERT_EQ(library.Tools.size(), 1U);
    EXPECT_EQ(ToolScene(library, library.Tools[0]), built.Read("/d/Taster.wrl")) << script;
  }
}

TEST(RoundTrip, EveryToolOfTheReplayCasesRebuilds) {
  const std::filesystem::path tests = std::filesystem::path(TARVO_SOURCE_DIR) / "tests";
  for (const std::filesystem::path& path : std::filesystem::recursive_directory_iterator(tests)) {
    if (path.parent_path().parent_path() == tests / "library" ||
        (path.filename() == "usrprobe.dat" && path.parent_path().filename() == "expected")) {
      SCOPED_TRACE(path.string());
      ExpectEveryToolRebuilds(ReadFile(path));
    }
  }
}

}  // namespace
}  // namespace tarvo::library
