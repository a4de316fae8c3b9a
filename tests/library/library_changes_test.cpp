// Removing and editing a tool change its block and no other byte of the file.
#include "library/library_changes.h"

#include <gtest/gtest.h>

#include "testing/replay_editor.h"
#include "testing/temp_folder.h"

namespace tarvo::library {
namespace {

using namespace tarvo::testing;

// ; kept, then the tools A, B (a ball tip) and C.
struct ThreeTools {
  ThreeTools() { files.Files["/d/usrprobe.dat"] = original; }
  const Tool& B() const { return library.Tools[1]; }
  std::string original =
      "; kept\n" + ReadFile(TARVO_SOURCE_DIR "/tests/library/files/three_tools.dat");
  Library library = ReadLibrary(original);
  MemoryFileSystem files;
};

// Whole files on disk, removed, and a directory in place of either file: the CLI test.
TEST(RemoveTool, KeepsTheBackupAndTheFileWhenTheFileCannotBeReplaced) {
  ThreeTools file;
  file.files.FailingPaths.insert("/d/usrprobe.dat");
  EXPECT_FALSE(RemoveTool(file.files, "/d", file.library, file.B()).IsOk());
  EXPECT_EQ(file.files.Read("/d/usrprobe.dat"), file.original);
  EXPECT_EQ(file.files.Read("/d/usrprobe_old.dat"), file.original);
}

TEST(EditTool, DeleteAllEndsTheEditAndAChangedBlockIsAppended) {
  for (const bool changed : {false, true}) {
    ThreeTools file;
    ReplayEditor replay(file.files);
    const RebuildScript rebuild = DeriveScript(file.library, file.B());
    ASSERT_EQ(LoadForEdit(replay.editor, rebuild, file.library, file.B()), "");
    const std::string before =
        changed ? file.original.substr(0, file.B().Begin) + file.original.substr(file.B().End)
                : file.original;
    file.files.Files["/d/usrprobe.dat"] = before;
    EXPECT_EQ(replay.Run(changed ? "click Cmd_Export\n" : "click Cmd_DelAll\n" + rebuild.Script), 0)
        << replay.errors.str();
    EXPECT_FALSE(replay.editor.Edited().has_value());
    EXPECT_EQ(file.files.Read("/d/usrprobe.dat"),
              before + std::string(file.library.Block(file.B())));
    EXPECT_EQ(replay.output.str(),
              changed ? "message: The tool B was changed in usrprobe.dat after it was opened; "
                        "the edited tool was added at the end.\n"
                      : "");
  }
}

}  // namespace
}  // namespace tarvo::library
