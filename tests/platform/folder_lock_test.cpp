#include "platform/folder_lock.h"

#include <gtest/gtest.h>

#include "platform/process.h"
#include "testing/temp_folder.h"

namespace tarvo::platform {
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
  const std::string holder = std::to_string(ProcessId()) + "\n";
  FolderLock first = FolderLock::Acquire(folder_);
  ASSERT_EQ(first.Result(), Outcome::Held);
  EXPECT_EQ(LockFileText(), holder);
  // Both systems' locks belong to an open file: a second open here is refused
  // like another process.
  EXPECT_TRUE(FolderLock::Acquire(folder_).IsBusy());
  EXPECT_EQ(LockFileText(), holder);
  first.Release();
#ifndef _WIN32
  EXPECT_FALSE(std::filesystem::exists(folder_ / FolderLock::kFileName));
#endif
  EXPECT_EQ(FolderLock::Acquire(folder_).Result(), Outcome::Held);
  EXPECT_EQ(FolderLock::Acquire(folder_ / "missing").Result(), Outcome::Unlockable);
}

}  // namespace
}  // namespace tarvo::platform
