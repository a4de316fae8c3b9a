// Removing and editing a tool change its block and no other byte of the file.
#include "library/library_changes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "library_testing.h"

namespace tarvo::library {
namespace {

using testing::RunReplay;

constexpr const char* kTwoCylinders =
    "set Tb_ToolName ST1\nclick Cmd_NewTool\nclick Cmd_Add\n"
    "set Tb_Height 20\nset Tb_Diam 6\nclick Cmd_Confirm\n"
    "set Tb_Height 12.5\nset Tb_Diam 4\nclick Cmd_Confirm\n"
    "click Ob_Sphere\nset Tb_Diam 3\nclick Cmd_Confirm\nclick Cmd_Export\n";
constexpr const char* kExtension =
    "set Tb_ToolName EX1\npick Cb_Extension 3\nclick Cmd_NewTool\nclick Ob_Extend\nclick Cmd_Add\n"
    "set Tb_Height 30\nset Tb_Diam 8\nclick Cmd_Confirm\nclick Cmd_Export\n";
const std::string kPrefix = "; kept as it is\n";

// A file of three tools after some bytes of its own; the middle one is ST1.
struct ThreeTools {
  ThreeTools() {
    files.Files["/d/usrprobe.dat"] = kPrefix;
    EXPECT_EQ(RunReplay(kExtension, '.', files), 0);
    EXPECT_EQ(RunReplay(kTwoCylinders, '.', files), 0);
    EXPECT_EQ(RunReplay(kExtension, '.', files), 0);
    original = files.Read("/d/usrprobe.dat");
    library = ReadLibrary(original);
  }
  const Tool& Middle() const { return library.Tools[1]; }
  std::string Without(std::string_view block) const {
    return original.substr(0, Middle().Begin) + std::string(block) + original.substr(Middle().End);
  }

  tarvo::testing::MemoryFileSystem files;
  std::string original;
  Library library;
};

TEST(RemoveTool, KeepsEveryOtherByteAfterTheBackup) {
  ThreeTools file;
  ASSERT_TRUE(RemoveTool(file.files, "/d", file.library, file.Middle()).IsOk());
  EXPECT_EQ(file.files.Read("/d/usrprobe.dat"), file.Without(""));
  EXPECT_EQ(file.files.Read("/d/usrprobe_old.dat"), file.original);
}

TEST(RemoveTool, ChangesNothingWhenAFileFails) {
  for (const char* failing : {"/d/usrprobe.dat", "/d/usrprobe_old.dat"}) {
    ThreeTools file;
    file.files.Files["/d/usrprobe_old.dat"] = "old";
    file.files.FailingPaths.insert(failing);
    EXPECT_FALSE(RemoveTool(file.files, "/d", file.library, file.Middle()).IsOk()) << failing;
    EXPECT_EQ(file.files.Read("/d/usrprobe.dat"), file.original);
    EXPECT_EQ(file.files.Read("/d/usrprobe_old.dat"), std::string_view(failing).ends_with("old.dat")
                                                          ? "old"
                                                          : file.original);
  }
}

TEST(RemoveTool, FailsCleanlyOnADirectoryInPlaceOfEitherFile) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tarvo_library_remove";
  for (const char* directory : {"usrprobe.dat", "usrprobe_old.dat"}) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / directory);
    const std::string bytes = "ITEM:A B\r\ncylinder 0 0 0 0 0 -5 6\r\n\r\n";
    if (std::string_view(directory) == "usrprobe_old.dat") std::ofstream(dir / "usrprobe.dat", std::ios::binary) << bytes;
    scene::PosixFileSystem files;
    Library library;
    const scene::FileStatus read = LoadLibrary(files, dir, library);
    if (!read.IsOk()) continue;  // usrprobe.dat cannot even be read
    ASSERT_EQ(library.Tools.size(), 1U);
    EXPECT_FALSE(RemoveTool(files, dir, library, library.Tools[0]).IsOk());
    std::ifstream in(dir / "usrprobe.dat", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
    EXPECT_TRUE(std::filesystem::is_directory(dir / directory));
  }
  std::filesystem::remove_all(dir);
}

// Loads the middle tool into an editor of the same files, runs `script`.
std::string Edit(ThreeTools& file, const std::string& script, std::string* out = nullptr) {
  tarvo::testing::RecordingSceneView view;
  numbers::FixedLocaleQuery locale(std::string("."));
  std::ostringstream output;
  std::ostringstream errors;
  replay::ReplayMessages messages(output);
  editor::Editor editor("/d", file.files, view, messages, locale);
  editor.Load();
  const RebuildScript rebuild = DeriveScript(file.library, file.Middle());
  const std::string reason = LoadForEdit(editor, rebuild, file.library, file.Middle());
  EXPECT_EQ(reason, "");
  EXPECT_EQ(replay::RunScript("s", script, editor, messages, output, errors), 0) << errors.str();
  EXPECT_FALSE(editor.Edited().has_value());
  if (out != nullptr) *out = output.str();
  return file.files.Read("/d/usrprobe.dat");
}

TEST(EditTool, ExportReplacesTheBlockInPlace) {
  ThreeTools file;
  const std::string edited =
      Edit(file, "click Cmd_DelLast\nclick Ob_Sphere\nset Tb_Diam 5\nclick Cmd_Confirm\nclick Cmd_Export\n");
  const std::string newBlock = "ITEM:ST1 TARVO1\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\n"
                               "cylinder 0 0 0 0 0 -20 6\r\ncylinder 0 0 -20 0 0 -32.5 4\r\n"
                               "color 255 0 0\r\nsphere 0 0 -32.5 5\r\nhotspot 0 0 -32.5 0 0 1 5 5 ball\r\n"
                               "endtip\r\n\r\n";
  EXPECT_EQ(edited, file.Without(newBlock));
  EXPECT_EQ(file.files.Read("/d/usrprobe_old.dat"), file.original);
}

TEST(EditTool, UnchangedExportLeavesTheFileIdentical) {
  ThreeTools file;
  EXPECT_EQ(Edit(file, "click Cmd_Export\n"), file.original);
}

TEST(EditTool, AppendsWithAMessageWhenTheBlockChangedMeanwhile) {
  ThreeTools again;
  const std::string changed = again.Without("");
  tarvo::testing::RecordingSceneView view;
  numbers::FixedLocaleQuery locale(std::string("."));
  std::ostringstream output;
  std::ostringstream errors;
  replay::ReplayMessages messages(output);
  editor::Editor editor("/d", again.files, view, messages, locale);
  editor.Load();
  ASSERT_EQ(LoadForEdit(editor, DeriveScript(again.library, again.Middle()), again.library, again.Middle()), "");
  again.files.Files["/d/usrprobe.dat"] = changed;
  editor.Click(editor::ControlId::Cmd_Export);
  EXPECT_EQ(again.files.Read("/d/usrprobe.dat"), changed + std::string(again.library.Block(again.Middle())));
  EXPECT_EQ(output.str(), "message: The tool ST1 was changed in usrprobe.dat after it was opened; the edited "
                          "tool was added at the end.\n");
}

TEST(EditTool, DeleteAllEndsTheEdit) {
  ThreeTools file;
  const std::string result = Edit(file, "click Cmd_DelAll\n" + std::string(kExtension));
  EXPECT_EQ(result, file.original + file.original.substr(file.library.Tools[0].Begin, file.library.Tools[0].End -
                                                                                           file.library.Tools[0].Begin));
}

}  // namespace
}  // namespace tarvo::library
