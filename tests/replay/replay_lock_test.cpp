// tarvo-replay and a folder that another editor holds.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "scene/folder_lock.h"

namespace tarvo::replay {
namespace {

using scene::FolderLock;

constexpr const char* kScript =
    "set Tb_ToolName R1\nclick Cmd_NewTool\nclick Ob_Extend\nclick Cmd_Add\n"
    "set Tb_Height 10\nset Tb_Diam 8\nclick Cmd_Confirm\nclick Cmd_Export\n";

class ReplayLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("replay_lock_" + std::to_string(getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_ / "files");
    std::ofstream(folder_ / "script.txt") << kScript;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Starts the replay on folder_/files; its standard error comes out of `err`.
  pid_t StartReplay(int& err) const {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
      dup2(pipeEnds[1], STDERR_FILENO);
      close(pipeEnds[0]);
      const std::string dir = (folder_ / "files").string();
      const std::string script = (folder_ / "script.txt").string();
      execl(TARVO_REPLAY_PATH, "tarvo-replay", "--dir", dir.c_str(), script.c_str(), nullptr);
      _exit(127);
    }
    close(pipeEnds[1]);
    err = pipeEnds[0];
    return child;
  }

  // Everything up to the end of the next line, or of the stream.
  static std::string ReadLine(int descriptor) {
    std::string line;
    char c = 0;
    while (read(descriptor, &c, 1) == 1) {
      line += c;
      if (c == '\n') break;
    }
    return line;
  }

  static int ExitStatus(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::filesystem::path folder_;
};

TEST_F(ReplayLockTest, WaitsForAnEditorThatLetsGo) {
  FolderLock holder = FolderLock::Acquire(folder_ / "files");
  ASSERT_EQ(holder.Result(), FolderLock::Outcome::Held);
  int err = -1;
  const pid_t replay = StartReplay(err);
  ASSERT_GT(replay, 0);
  // The replay says that it waits: only then does the holder let go.
  EXPECT_EQ(ReadLine(err), "tarvo-replay: waiting for the other editor in " +
                               (folder_ / "files").string() + "\n");
  holder.Release();
  EXPECT_EQ(ExitStatus(replay), 0);
  close(err);
  EXPECT_TRUE(std::filesystem::exists(folder_ / "files" / "usrprobe.dat"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "files" / FolderLock::kFileName));
}

TEST_F(ReplayLockTest, GivesUpAfterFiveSecondsTouchingNothing) {
  const FolderLock holder = FolderLock::Acquire(folder_ / "files");
  int err = -1;
  const pid_t replay = StartReplay(err);
  ASSERT_GT(replay, 0);
  std::string errors;
  for (std::string line; !(line = ReadLine(err)).empty();) errors += line;
  EXPECT_EQ(ExitStatus(replay), scene::kFolderBusyStatus);
  close(err);
  const std::string files = (folder_ / "files").string();
  EXPECT_EQ(errors, "tarvo-replay: waiting for the other editor in " + files + "\n" +
                        "TARVO Tools is already working on the files in " + files + ".\n");
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder_ / "files")) {
    left.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(left, std::vector<std::string>{FolderLock::kFileName});  // only the holder's lock
  std::ifstream lockFile(folder_ / "files" / FolderLock::kFileName);
  std::string holderPid;
  std::getline(lockFile, holderPid);
  EXPECT_EQ(holderPid, std::to_string(getpid()));
}

}  // namespace
}  // namespace tarvo::replay
