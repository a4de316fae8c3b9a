#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

#include "platform/posix/system_calls.h"
#include "testing/temp_folder.h"

namespace tarvo::platform {
namespace {

namespace fs = std::filesystem;
using tarvo::testing::FileNames;
using tarvo::testing::ReadFile;

// Calls interrupted before they act, short writes as on a full disk, a close
// or a flush that fails after acting as on a network disk.
struct FaultyCalls final : SystemCalls {
  ssize_t Write(int fd, const void* data, std::size_t size) override {
    return Interrupted() ? -1 : SystemCalls::Write(fd, data, shortWrites ? size / 2 : size);
  }
  ssize_t Read(int fd, void* data, std::size_t size) override {
    return Interrupted() ? -1 : SystemCalls::Read(fd, data, size);
  }
  int Close(int fd) override { return Failing(SystemCalls::Close(fd), closeFails); }
  int Fsync(int fd) override { return Failing(SystemCalls::Fsync(fd), flushFails); }
  bool Interrupted() { return interruptions > 0 && (--interruptions, (errno = EINTR) != 0); }
  static int Failing(int result, bool fails) { return fails ? (errno = EIO, -1) : result; }
  int interruptions = 0;
  bool shortWrites = false, closeFails = false, flushFails = false;
};

class PosixFileSystemTest : public ::testing::Test {
 protected:
  const tarvo::testing::TempFolder folder_;
  const fs::path& dir_ = folder_.Path();
  FaultyCalls calls_;
  DiskFileSystem files_{calls_};
  static constexpr Durability kDurable = Durability::Durable;
};

TEST_F(PosixFileSystemTest, WritesReplaceAppendsExtendCopiesAreExactAndInterruptionsAreRetried) {
  const std::string bytes("a\0b\r\n\xff", 6);
  for (int interrupted : {0, 2}) {
    for (const auto& step : std::vector<std::function<FileStatus()>>{
             [&] { return files_.Write(dir_ / "a", "first\r\n", Durability::Scratch); },
             [&] { return files_.Write(dir_ / "a", bytes, kDurable); },
             [&] { return files_.Append(dir_ / "a", "y\r\n", kDurable); },
             [&] { return files_.Copy(dir_ / "a", dir_ / "b", kDurable); }}) {
      calls_.interruptions = interrupted;
      ASSERT_TRUE(step().IsOk()) << interrupted;
    }
    EXPECT_EQ(ReadFile(dir_ / "b"), bytes + "y\r\n");
  }
  EXPECT_EQ(files_.Copy(dir_ / "none", dir_ / "b", kDurable).Result,
            FileStatus::Code::MissingSource);
  EXPECT_EQ(FileNames(dir_), (std::vector<std::string>{"a", "b"}));
}

TEST_F(PosixFileSystemTest, FailuresSayWhyAndLeaveNoScrapsAndAShortAppendIsTakenBackWhole) {
  fs::create_directory(dir_ / "d");
  const FileStatus write = files_.Write(dir_ / "d", "x", kDurable);
  EXPECT_EQ(write.Result, FileStatus::Code::Failed);
  EXPECT_EQ(write.Reason, "Is a directory");
  EXPECT_EQ(files_.Append(dir_ / "d", "x", kDurable).Reason, "Is a directory");
  files_.Write(dir_ / "a", "x\r\n", kDurable);
  EXPECT_EQ(files_.Copy(dir_ / "a", dir_ / "d", kDurable).File, dir_ / "d");
  EXPECT_EQ(files_.Copy(dir_ / "d", dir_ / "b", kDurable).Result, FileStatus::Code::Failed);
  EXPECT_EQ(files_.Write(dir_ / "gone" / "a", "x", kDurable).Reason, "No such file or directory");
  calls_.closeFails = true;  // the data may not have reached the disk
  EXPECT_EQ(files_.Write(dir_ / "a", "z", kDurable).Reason, "Input/output error");
  EXPECT_EQ(files_.Append(dir_ / "b", "z", kDurable).Reason, "Input/output error");
  calls_.closeFails = false;
  calls_.flushFails = true;  // a failed flush is a failed write, the part written goes
  EXPECT_EQ(files_.Write(dir_ / "a", "z", kDurable).Reason, "Input/output error");
  EXPECT_EQ(files_.Append(dir_ / "a", "z", kDurable).Reason, "Input/output error");
  EXPECT_TRUE(files_.Append(dir_ / "c", "z", Durability::Scratch).IsOk());
  calls_.flushFails = false;
  calls_.shortWrites = true;  // a full disk: the part written is taken back
  EXPECT_EQ(files_.Append(dir_ / "a", std::string(100, 'x'), kDurable).Reason,
            "No space left on device");
  EXPECT_EQ(ReadFile(dir_ / "a"), "x\r\n");
  EXPECT_EQ(FileNames(dir_), (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST_F(PosixFileSystemTest, AFileReplacedThroughLinksKeepsThemAndItsModeOrChangesNothing) {
  fs::create_directories(dir_ / "app");
  files_.Write(dir_ / "app" / "table", "old", kDurable);
  ::chmod((dir_ / "app" / "table").c_str(), 0664);
  fs::create_symlink("app/table", dir_ / "rel");
  fs::create_symlink(dir_ / "rel", dir_ / "abs");  // a link to a link
  ASSERT_TRUE(files_.Write(dir_ / "abs", "new", kDurable).IsOk());
  EXPECT_TRUE(fs::is_symlink(dir_ / "abs") && fs::is_symlink(dir_ / "rel"));
  EXPECT_EQ(ReadFile(dir_ / "app" / "table"), "new");
  EXPECT_EQ(fs::status(dir_ / "app" / "table").permissions(), fs::perms(0664));
  fs::create_symlink("gone/table", dir_ / "lost");  // a folder that cannot hold the temporary file
  EXPECT_EQ(files_.Write(dir_ / "lost", "new", kDurable).Reason, "No such file or directory");
  EXPECT_EQ(FileNames(dir_), (std::vector<std::string>{"abs", "app", "lost", "rel"}));
  EXPECT_EQ(fs::directory_iterator(dir_ / "app")->path().filename(), "table");
}

}  // namespace
}  // namespace tarvo::platform
