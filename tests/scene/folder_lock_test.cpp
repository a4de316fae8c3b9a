#include "scene/folder_lock.h"

#include <gtest/gtest.h>
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

}  // namespace
}  // namespace tarvo::scene
