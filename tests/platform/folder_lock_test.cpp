#include "platform/folder_lock.h"

#include <gtest/gtest.h>

#include "platform/process.h"
#include "platform/window_slot.h"
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

// Windows open at once take the first free places; a place given free is
// taken again; where no lock file can be made every window is the first.
TEST_F(FolderLockTest, EachWindowAtOnceTakesTheFirstFreePlace) {
  std::vector<WindowSlot> open;
  for (int i = 0; i < 3; ++i) open.push_back(WindowSlot::Take(folder_));
  EXPECT_EQ(open[1].Number(), 1);
  EXPECT_EQ(open[2].Number(), 2);
  open.erase(open.begin() + 1);
  EXPECT_EQ(WindowSlot::Take(folder_).Number(), 1);
  EXPECT_EQ(WindowSlot::Take(folder_ / "missing").Number(), 0);
  EXPECT_EQ(WindowSlot::Take({}).Number(), 0);
}

}  // namespace
}  // namespace tarvo::platform
