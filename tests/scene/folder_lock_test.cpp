#include "scene/folder_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace tarvo::scene {
namespace {

using Outcome = FolderLock::Outcome;

class FolderLockTest : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string LockFileText() const {
    std::ifstream in(folder_ / FolderLock::kFileName); return {std::istreambuf_iterator<char>(in), {}};
  }

  const std::filesystem::path folder_ = std::filesystem::temp_directory_path() /
      ("folder_lock_" + std::to_string(getpid()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  const bool made_ = std::filesystem::create_directories(folder_);
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
