#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>

#include "platform/files.h"
#include "platform/windows/system_calls.h"
#include "testing/temp_folder.h"

namespace tarvo::platform {
namespace {

namespace fs = std::filesystem;
using tarvo::testing::FileNames;
using tarvo::testing::ReadFile;

struct Impatient final : SystemCalls {
  std::chrono::milliseconds InUsePatience() const override { return std::chrono::milliseconds{100}; }
};

// The measuring application's way of holding the table open: reading, and
// sharing nothing but reading (no writing, no removal).
HANDLE HoldOpen(const fs::path& file, DWORD access, DWORD share) {
  return CreateFileW(file.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

class WindowsFilesTest : public ::testing::Test {
 protected:
  const tarvo::testing::TempFolder folder_;
  const fs::path& dir_ = folder_.Path();
  Impatient calls_;
  DiskFileSystem files_{calls_};
  static constexpr Durability kDurable = Durability::Durable;
};

TEST_F(WindowsFilesTest, AFileHeldOpenIsRefusedUnchangedThenWrittenOnceLetGo) {
  const fs::path table = dir_ / "usrprobe.dat";
  ASSERT_TRUE(files_.Write(table, "old\r\n", kDurable).IsOk());
  for (const DWORD share : {DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
    HANDLE held = HoldOpen(table, GENERIC_READ, share);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    // Our reads never keep the holder out, nor are they kept out.
    std::string read;
    EXPECT_TRUE(files_.Read(table, read).IsOk());
    EXPECT_EQ(read, "old\r\n");
    const FileStatus replaced = files_.Write(table, "new\r\n", kDurable);
    EXPECT_EQ(replaced.Reason, kFileInUse) << share;
    if (share == FILE_SHARE_READ) {
      EXPECT_EQ(files_.Append(table, "more\r\n", kDurable).Reason, kFileInUse);
    }
    EXPECT_EQ(ReadFile(table), "old\r\n");
    EXPECT_EQ(FileNames(dir_), std::vector<std::string>{"usrprobe.dat"});  // no temporary file left
    CloseHandle(held);
  }
  ASSERT_TRUE(files_.Append(table, "more\r\n", kDurable).IsOk());
  ASSERT_TRUE(files_.Write(table, ReadFile(table) + "new\r\n", kDurable).IsOk());
  EXPECT_EQ(ReadFile(table), "old\r\nmore\r\nnew\r\n");
}

TEST_F(WindowsFilesTest, AReplacedFileKeepsItsAttributesAndAReadOnlyOneIsRefused) {
  const fs::path table = dir_ / "usrprobe.dat";
  ASSERT_TRUE(files_.Write(table, "old\r\n", kDurable).IsOk());
  ASSERT_TRUE(SetFileAttributesW(table.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(files_.Write(table, "new\r\n", kDurable).IsOk());
  EXPECT_TRUE(GetFileAttributesW(table.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(ReadFile(table), "new\r\n");
  ASSERT_TRUE(SetFileAttributesW(table.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(files_.Write(table, "newer\r\n", kDurable).Reason, "Permission denied");
  EXPECT_EQ(ReadFile(table), "new\r\n");
  EXPECT_EQ(FileNames(dir_), std::vector<std::string>{"usrprobe.dat"});
  SetFileAttributesW(table.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace tarvo::platform
