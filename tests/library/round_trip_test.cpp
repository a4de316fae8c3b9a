// Every tool the editor exports can be rebuilt from its lines alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "library/library_file.h"
#include "library/tool_script.h"
#include "library_testing.h"

namespace tarvo::library {
namespace {

using testing::RunReplay;

// A random tool of every kind, as a user would type it.
class ToolGenerator {
 public:
  explicit ToolGenerator(unsigned seed) : random_(seed) {}

  std::string Script(int number, char separator) {
    std::string s = "set Tb_ToolName T" + std::to_string(number % 150) + "\n";
    if (Chance(0.3)) s += "pick Cb_Extension " + std::to_string(Between(1, 5)) + "\n";
    s += "click Cmd_NewTool\n";
    const int kind = number % 3;
    s += kind == 0 ? "click Ob_Tip\n" : kind == 1 ? "click Ob_Extend\n" : "click Ob_Polyg\n";
    s += "click Cmd_Add\n";
    const int elements = Between(1, 6);
    for (int i = 0; i < elements; ++i) {
      const int type = kind == 1 ? 0 : kind == 2 && i == elements - 1 ? Between(1, 2) : Between(0, 2);
      if (type == 0) {
        s += "click Ob_Cylinder\nset Tb_Height " + Value(separator) + "\nset Tb_Diam " + Value(separator) + "\n";
      } else if (kind == 0) {
        s += "click Ob_Cone\nset Tb_Height " + Value(separator) + "\nset Tb_Diam " + Value(separator) +
             "\nset Tb_Diam2 " + Value(separator) + "\n";
      } else {
        s += type == 1 ? "click Ob_Cone\n" : "click Ob_Sphere\n";
        s += "set Cb_Edges " + std::to_string(Between(3, 30)) + "\nset Tb_Diam2 " + Value(separator) + "\n";
        if (type == 2) s += "set Tb_LengthMin " + (Chance(0.2) ? std::string("10") : Value(separator)) + "\n";
        s += "set Tb_Height " + Value(separator) + "\n";
      }
      s += "click Cmd_Confirm\n";
    }
    if (kind == 0) {
      const bool disk = Chance(0.5);
      s += "click Ob_Sphere\n";
      if (disk) s += "click Cb_Disk\nset Tb_Height " + Value(separator) + "\n";
      s += "set Tb_Diam " + Value(separator) + "\nclick Cmd_Confirm\n";
    }
    return s + "click Cmd_Export\n";
  }

 private:
  bool Chance(double p) { return std::uniform_real_distribution<>(0, 1)(random_) < p; }
  int Between(int low, int high) { return std::uniform_int_distribution<>(low, high)(random_); }
  // 0.1 to 60 with up to four decimals, as typed.
  std::string Value(char separator) {
    const int decimals = Between(0, 4);
    double value = std::uniform_real_distribution<>(0.1, 60)(random_);
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(decimals);
    text << value;
    std::string typed = text.str();
    for (char& c : typed) {
      if (c == '.') c = separator;
    }
    return typed == "0" ? "1" : typed;
  }

  std::mt19937 random_;
};

// Each tool's proven script, run on an empty editor, exports exactly its block.
void ExpectEveryToolRebuilds(const std::string& file) {
  const Library library = ReadLibrary(file);
  for (const Tool& tool : library.Tools) {
    if (tool.Elements.empty()) continue;  // written by hand before the export
    const RebuildScript script = DeriveScript(library, tool);
    ASSERT_TRUE(script.Proven()) << "tool " << tool.Position << ": " << script.Reason << "\n"
                                 << library.Block(tool);
    EXPECT_TRUE(script.Script.starts_with(std::string("# --decimal-separator ") + script.Separator + "\n"));
    tarvo::testing::MemoryFileSystem files;
    ASSERT_EQ(RunReplay(script.Script, script.Separator, files), 0);
    EXPECT_EQ(files.Read("/d/usrprobe.dat"), library.Block(tool)) << script.Script;
  }
}

TEST(RoundTrip, GeneratedToolsOfEveryKindRebuildByteForByte) {
  ToolGenerator generator(20261206);
  tarvo::testing::MemoryFileSystem files;
  constexpr int kTools = 240;
  for (int i = 0; i < kTools; ++i) {
    const char separator = i % 2 == 0 ? '.' : ',';
    std::string out;
    ASSERT_EQ(RunReplay(generator.Script(i, separator), separator, files, &out), 0) << out;
  }
  const std::string file = files.Read("/d/usrprobe.dat");
  ASSERT_EQ(ReadLibrary(file).Tools.size(), static_cast<std::size_t>(kTools));
  ExpectEveryToolRebuilds(file);
}

TEST(RoundTrip, EveryToolOfTheReplayCasesRebuilds) {
  const std::filesystem::path source(TARVO_SOURCE_DIR);
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(source / "tests/replay/cases")) {
    files.push_back(entry.path() / "expected" / "usrprobe.dat");
  }
  for (const auto& entry : std::filesystem::directory_iterator(source / "tests/library/files")) {
    files.push_back(entry.path());
  }
  for (const std::filesystem::path& path : files) {
    std::ifstream in(path, std::ios::binary);
    if (!in) continue;
    SCOPED_TRACE(path.string());
    ExpectEveryToolRebuilds(std::string(std::istreambuf_iterator<char>(in), {}));
  }
}

}  // namespace
}  // namespace tarvo::library
