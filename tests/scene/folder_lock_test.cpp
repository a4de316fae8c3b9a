#include "scene/folder_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "testing/temp_folder.h"

namespace tarvo::scene {
namespace {

using Outcome = FolderLock::Outcome;
using tarvo::testing::ReadFile;

class FolderLockTest : public ::testing::Test {
 protected:
  std::string LockFileText() const { return ReadFile(folder_ / FolderLock::kFileName); }

  const tarvo::testing::TempFolder temp_;
  const std::filesystem::path& folder_ = temp_.Path();
};

TEST_F(FolderLockTest, ASecondEditorIsRefusedAndChangesNothing) {
  FolderLock first = FolderLock::Acquire(folder_);
  ASSERT_EQ(first.Result(), Outcome::Held);
  EXPECT_EQ(LockFileText(), std::to_string(getpid()) + "\n");
  // flock(2) locks belong to an open file: a second open here is refused like another process.
  EXPECT_TRUE(FolderLock::Acquire(folder_).IsBusy());
  EXPECT_EQ(LockFileText(), std::to_string(getpid()) + "\n");
  first.Release();
  EXPECT_FALSE(std::filesystem::exists(folder_ / FolderLock::kFileName));
  EXPECT_EQ(FolderLock::Acquire(folder_).Result(), Outcome::Held);
  EXPECT_EQ(FolderLock::Acquire(folder_ / "missing").Result(), Outcome::Unlockable);
}

TEST_F(FolderLockTest, TheLockOfAProcessThatDiedIsTakenOver) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) _exit(FolderLock::Acquire(folder_).Result() == Outcome::Held ? 0 : 1);  // no clean-up
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(LockFileText(), std::to_string(child) + "\n");  // left behind
  const FolderLock lock = FolderLock::Acquire(folder_);  // taken over
  EXPECT_EQ(lock.Result(), Outcome::Held);
  EXPECT_EQ(LockFileText(), std::to_string(getpid()) + "\n");
}

}  // namespace
}  // namespace tarvo::scene
