// Removing and editing a tool change its block and no other byte of the file.
#include "library/library_changes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "library_testing.h"

namespace tarvo::library {
namespace {

// ; kept, then the tools A, B (a ball tip) and C.
struct ThreeTools {
  ThreeTools() {
    std::ifstream in(TARVO_SOURCE_DIR "/tests/library/files/three_tools.dat", std::ios::binary);
    original = "; kept\n" + std::string(std::istreambuf_iterator<char>(in), {});
    files.Files["/d/usrprobe.dat"] = original;
    library = ReadLibrary(original);
  }
  const Tool& B() const { return library.Tools[1]; }

  tarvo::testing::MemoryFileSystem files;
  std::string original;
  Library library;
};

TEST(RemoveTool, KeepsEveryOtherByteAfterTheBackupOrChangesNothing) {
  for (const char* failing : {"", "/d/usrprobe.dat", "/d/usrprobe_old.dat"}) {
    SCOPED_TRACE(failing);
    ThreeTools file;
    file.files.Files["/d/usrprobe_old.dat"] = "old";
    file.files.FailingPaths.insert(failing);
    const bool removed = RemoveTool(file.files, "/d", file.library, file.B()).IsOk();
    EXPECT_EQ(removed, *failing == '\0');
    EXPECT_EQ(file.files.Read("/d/usrprobe.dat"),
              removed ? file.original.substr(0, file.B().Begin) + file.original.substr(file.B().End) : file.original);
    EXPECT_EQ(file.files.Read("/d/usrprobe_old.dat"), std::string_view(failing).ends_with("old.dat") ? "old" : file.original);
  }
}

TEST(EditTool, DeleteAllEndsTheEditAndAChangedBlockIsAppended) {
  for (const bool changed : {false, true}) {
    ThreeTools file;
    testing::ReplayEditor replay(file.files, '.');
    const RebuildScript rebuild = DeriveScript(file.library, file.B());
    ASSERT_EQ(LoadForEdit(replay.editor, rebuild, file.library, file.B()), "");
    const std::string before = changed ? file.original.substr(0, file.B().Begin) + file.original.substr(file.B().End)
                                       : file.original;
    file.files.Files["/d/usrprobe.dat"] = before;
    EXPECT_EQ(replay.Run(changed ? "click Cmd_Export\n" : "click Cmd_DelAll\n" + rebuild.Script), 0) << replay.errors.str();
    EXPECT_FALSE(replay.editor.Edited().has_value());
    EXPECT_EQ(file.files.Read("/d/usrprobe.dat"), before + std::string(file.library.Block(file.B())));
    EXPECT_EQ(replay.output.str(), changed ? "message: The tool B was changed in usrprobe.dat after it was opened; "
                                             "the edited tool was added at the end.\n" : "");
  }
}

}  // namespace
}  // namespace tarvo::library
