// tarvo-replay and a folder that another editor holds.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/folder_lock.h"
#include "testing/temp_folder.h"

namespace tarvo::replay {
namespace {

using platform::FolderLock;
namespace fs = std::filesystem;

class ReplayLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(holder_.Result(), FolderLock::Outcome::Held);
    std::ofstream(folder_ / "script.txt")
        << "set Tb_ToolName R1\nclick Cmd_NewTool\nclick Ob_Extend\nclick Cmd_Add\n"
           "set Tb_Height 10\nset Tb_Diam 8\nclick Cmd_Confirm\nclick Cmd_Export\n";
    const std::string command = std::string(TARVO_REPLAY_PATH) + " --dir '" + files_.string() + "' '" +
                                (folder_ / "script.txt").string() + "' 2>&1";
    replay_ = popen(command.c_str(), "r");
    ASSERT_NE(replay_, nullptr);
  }

  // The replay's next line of standard error, empty at its end.
  std::string ReadLine() const { char line[1024]; return std::fgets(line, sizeof line, replay_) ? line : ""; }
  int ExitStatus() const { const int status = pclose(replay_); return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

  const tarvo::testing::TempFolder folder_;
  const fs::path files_ = folder_ / "files";
  const bool made_ = fs::create_directories(files_);
  FolderLock holder_ = FolderLock::Acquire(files_);
  const std::string waiting_ = "tarvo-replay: waiting for the other editor in " + files_.string() + "\n";
  std::FILE* replay_ = nullptr;
};

TEST_F(ReplayLockTest, WaitsForAnEditorThatLetsGo) {
  EXPECT_EQ(ReadLine(), waiting_);  // only then does the holder let go
  holder_.Release();
  EXPECT_EQ(ExitStatus(), 0);
  EXPECT_TRUE(fs::exists(files_ / "usrprobe.dat"));
  EXPECT_FALSE(fs::exists(files_ / FolderLock::kFileName));
}

TEST_F(ReplayLockTest, GivesUpAfterFiveSecondsTouchingNothing) {
  std::string errors;
  for (std::string line; !(line = ReadLine()).empty();) errors += line;
  EXPECT_EQ(ExitStatus(), platform::kFolderBusyStatus);
  EXPECT_EQ(errors, waiting_ + "tarvo-replay: TARVO Tools is already working on the files in " + files_.string() + ".\n");
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(files_)) left.push_back(entry.path().filename());
  EXPECT_EQ(left, std::vector<std::string>{FolderLock::kFileName});  // only the holder's lock
  EXPECT_EQ(tarvo::testing::ReadFile(files_ / FolderLock::kFileName),
            std::to_string(getpid()) + "\n");
}

}  // namespace
}  // namespace tarvo::replay
