// Removing and editing a tool change its block and no other byte of the file,
// and a crash at any point of them leaves whole files.
#include "library/library_changes.h"

#include <gtest/gtest.h>

#include <functional>

#ifndef _WIN32
#include "testing/crashing_system_calls.h"
#endif
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

const char* const kEditB = "click Cmd_DelLast\nclick Ob_Sphere\nset Tb_Diam 4\nclick Cmd_Confirm\nclick Cmd_Export\n";

// EXPORT, an edited EXPORT and Remove that fail, refused by usrprobe.dat (read-only, or held
// open) or by a full disk, leave usrprobe.dat and usrprobe_old.dat byte for byte as they were
// and no temporary file; when they succeed, usrprobe_old.dat holds the file as it was before.
TEST(Backup, OnlyAChangeThatIsMadeReplacesTheBackup) {
  const std::string older = "; the backup before\r\n";
  const ThreeTools tools;
  const RebuildScript rebuild = DeriveScript(tools.library, tools.B());
  const std::function<void(MemoryFileSystem&)> commands[] = {
      [&](MemoryFileSystem& files) { ReplayEditor(files).Run(rebuild.Script); },
      [&](MemoryFileSystem& files) {
        ReplayEditor replay(files);
        ASSERT_EQ(LoadForEdit(replay.editor, rebuild, tools.library, tools.B()), "");
        replay.Run(kEditB);
      },
      [&](MemoryFileSystem& files) { RemoveTool(files, "/d", tools.library, tools.B()); }};
  for (int command = 0; command < 3; ++command) {
    for (const std::string fault : {"", "refused", "full disk"}) {
      SCOPED_TRACE("command " + std::to_string(command) + ", " + fault);
      ThreeTools file;
      file.files.Files["/d/usrprobe_old.dat"] = older;
      if (fault == "refused") file.files.FailingPaths = {"/d/usrprobe.dat"};
      file.files.ShortAppends = fault == "full disk";
      commands[command](file.files);
      const bool fails = fault == "refused" || (fault == "full disk" && command == 0);  // only EXPORT appends
      EXPECT_EQ(file.files.Read("/d/usrprobe.dat") == file.original, fails);
      EXPECT_EQ(file.files.Read("/d/usrprobe_old.dat"), fails ? older : file.original);
      for (const auto& [name, bytes] : file.files.Files) EXPECT_FALSE(name.ends_with(".tmp")) << name;
    }
  }
}

// The crash seam is the POSIX system calls; Windows has none to put a crash in.
#ifndef _WIN32
std::string Bytes(const CrashingSystemCalls::Files& files, const std::string& name) {
  return files.contains("/d/" + name) ? files.at("/d/" + name) : "(missing)";
}

// The command's usrprobe.dat once it has run whole on /d and reported success, which a crash
// keeps; a crash before any of its steps leaves it old or new, and usrprobe_old.dat whole.
std::string CrashEverywhere(const std::function<bool(platform::FileSystem& files)>& command) {
  const std::string older = "; the backup before\r\n", original = ThreeTools().original;
  const CrashingSystemCalls::Files start{{"/d/usrprobe.dat", original}, {"/d/usrprobe_old.dat", older}};
  CrashingSystemCalls whole(start);
  platform::DiskFileSystem wholeFiles(whole);
  EXPECT_TRUE(command(wholeFiles));
  const std::string after = Bytes(whole.Crash(), "usrprobe.dat");
  EXPECT_NE(after, original);
  EXPECT_EQ(Bytes(whole.Crash(), "usrprobe_old.dat"), original);
  for (int step = 0; step < whole.Steps; ++step) {
    CrashingSystemCalls calls(start, step);
    platform::DiskFileSystem files(calls);
    command(files);
    const std::string table = Bytes(calls.Crashed, "usrprobe.dat"), backup = Bytes(calls.Crashed, "usrprobe_old.dat");
    EXPECT_TRUE((table == original || table == after) && (backup == older || backup == original))
        << "crash at step " << step << ":\n" << table << "\nusrprobe_old.dat:\n" << backup;
  }
  return after;
}

TEST(Crash, ExportEditedExportAndRemoveLeaveWholeFilesAtEveryStep) {
  const ThreeTools file;
  const RebuildScript rebuild = DeriveScript(file.library, file.B());
  EXPECT_EQ(CrashEverywhere([&](platform::FileSystem& files) { return ReplayEditor(files).Run(rebuild.Script) == 0; }),
            file.original + std::string(file.library.Block(file.B())));
  const std::string edited = CrashEverywhere([&](platform::FileSystem& files) {
    ReplayEditor replay(files);
    return LoadForEdit(replay.editor, rebuild, file.library, file.B()).empty() &&
           replay.Run(kEditB) == 0;
  });
  EXPECT_NE(edited.find("hotspot 0 0 0 0 0 1 4 4 ball"), std::string::npos);
  EXPECT_EQ(CrashEverywhere([&](platform::FileSystem& files) {
              Library read;
              return LoadLibrary(files, "/d", read).IsOk() && RemoveTool(files, "/d", read, read.Tools[1]).Status.IsOk();
            }),
            file.original.substr(0, file.B().Begin) + file.original.substr(file.B().End));
}

#endif  // _WIN32

}  // namespace
}  // namespace tarvo::library
