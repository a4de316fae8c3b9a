// A crash at any step of EXPORT, of an edited EXPORT or of remove leaves
// complete files: usrprobe.dat as it was or as it is after the command, and
// usrprobe_old.dat a complete earlier version; once the command reports
// success, a crash keeps its result.
#include <gtest/gtest.h>

#include <functional>

#include "library/library_changes.h"
#include "testing/crashing_system_calls.h"
#include "testing/replay_editor.h"
#include "testing/temp_folder.h"

namespace tarvo::library {
namespace {

using namespace tarvo::testing;

const std::string kOlder = "; the backup before\r\n";
const std::string kOriginal =
    "; kept\n" + ReadFile(TARVO_SOURCE_DIR "/tests/library/files/three_tools.dat");

// Runs the command on the files of /d; true when it reports success.
using Command = std::function<bool(scene::FileSystem& files)>;

std::string Bytes(const CrashingSystemCalls::Files& files, const std::string& name) {
  const auto found = files.find("/d/" + name);
  return found == files.end() ? "(missing)" : found->second;
}

// The command's result after it has run whole, checked at every crash before.
std::string CrashEverywhere(const Command& command) {
  const CrashingSystemCalls::Files start{{"/d/usrprobe.dat", kOriginal},
                                         {"/d/usrprobe_old.dat", kOlder}};
  CrashingSystemCalls whole(start);
  scene::PosixFileSystem wholeFiles(whole);
  EXPECT_TRUE(command(wholeFiles));
  const std::string after = Bytes(whole.Crash(), "usrprobe.dat");
  EXPECT_NE(after, kOriginal);
  EXPECT_EQ(Bytes(whole.Crash(), "usrprobe_old.dat"), kOriginal);
  for (int step = 0; step < whole.Steps; ++step) {
    CrashingSystemCalls calls(start, step);
    scene::PosixFileSystem files(calls);
    command(files);
    const std::string table = Bytes(calls.Crashed, "usrprobe.dat");
    const std::string backup = Bytes(calls.Crashed, "usrprobe_old.dat");
    EXPECT_TRUE(table == kOriginal || table == after) << "crash at step " << step << ":\n" << table;
    EXPECT_TRUE(backup == kOlder || backup == kOriginal) << "crash at step " << step << ":\n"
                                                         << backup;
  }
  return after;
}

TEST(Crash, ExportEditedExportAndRemoveLeaveCompleteFilesAtEveryStep) {
  const Library library = ReadLibrary(kOriginal);
  const Tool& b = library.Tools[1];  // a ball tip
  const RebuildScript rebuild = DeriveScript(library, b);
  EXPECT_EQ(CrashEverywhere([&](scene::FileSystem& files) {
              return ReplayEditor(files).Run(rebuild.Script) == 0;
            }),
            kOriginal + std::string(library.Block(b)));
  const std::string edited = CrashEverywhere([&](scene::FileSystem& files) {
    ReplayEditor replay(files);
    return LoadForEdit(replay.editor, rebuild, library, b).empty() &&
           replay.Run(
               "click Cmd_DelLast\nclick Ob_Sphere\nset Tb_Diam 4\nclick Cmd_Confirm\nclick "
               "Cmd_Export\n") == 0;
  });
  EXPECT_NE(edited.find("hotspot 0 0 0 0 0 1 4 4 ball"), std::string::npos);
  EXPECT_EQ(CrashEverywhere([&](scene::FileSystem& files) {
              Library read;
              return LoadLibrary(files, "/d", read).IsOk() &&
                     RemoveTool(files, "/d", read, read.Tools[1]).IsOk();
            }),
            kOriginal.substr(0, b.Begin) + kOriginal.substr(b.End));
}

}  // namespace
}  // namespace tarvo::library
