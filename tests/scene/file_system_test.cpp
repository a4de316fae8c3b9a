#include "scene/file_system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>

#include "testing/temp_folder.h"

namespace tarvo::scene {
namespace {

namespace fs = std::filesystem;
using tarvo::testing::ReadFile;

// System calls with faults: interrupted a number of times before they act,
// writes that come back short as on a full disk, a close that fails after
// closing as on a network disk.
int interruptions = 0;
bool shortWrites = false;
bool closeFails = false;
template <auto Call>
ssize_t Faulty(int fd, auto* data, std::size_t size) {
  if (interruptions > 0 && interruptions--) {
    errno = EINTR;
    return -1;
  }
  return Call(fd, data, shortWrites ? size / 2 : size);
}
int FaultyClose(int fd) {
  ::close(fd);
  if (!closeFails) return 0;
  errno = EIO;
  return -1;
}

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void TearDown() override {
    interruptions = 0;
    shortWrites = closeFails = false;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  const tarvo::testing::TempFolder folder_;
  const fs::path& dir_ = folder_.Path();
  PosixFileSystem files_{{Faulty<::write>, Faulty<::read>, FaultyClose}};
};

TEST_F(PosixFileSystemTest, WritesReplaceAppendsExtendCopiesAreExactAndInterruptionsAreRetried) {
  const std::string bytes("a\0b\r\n\xff", 6);
  for (int interrupted : {0, 2}) {
    for (const auto& step : std::vector<std::function<FileStatus()>>{
             [&] { return files_.Write(dir_ / "a", "first\r\n"); },
             [&] { return files_.Write(dir_ / "a", bytes); },
             [&] { return files_.Append(dir_ / "a", "y\r\n"); },
             [&] { return files_.Copy(dir_ / "a", dir_ / "b"); }}) {
      interruptions = interrupted;
      ASSERT_TRUE(step().IsOk()) << interrupted;
    }
    EXPECT_EQ(ReadFile(dir_ / "b"), bytes + "y\r\n");
  }
  EXPECT_EQ(files_.Copy(dir_ / "none", dir_ / "b").Result, FileStatus::Code::MissingSource);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(PosixFileSystemTest, FailuresSayWhyAndLeaveNoScrapsAndAShortAppendIsTakenBackWhole) {
  fs::create_directory(dir_ / "d");
  const FileStatus write = files_.Write(dir_ / "d", "x");
  EXPECT_EQ(write.Result, FileStatus::Code::Failed);
  EXPECT_EQ(write.Reason, "Is a directory");
  EXPECT_EQ(files_.Append(dir_ / "d", "x").Reason, "Is a directory");
  files_.Write(dir_ / "a", "x\r\n");
  EXPECT_EQ(files_.Copy(dir_ / "a", dir_ / "d").File, dir_ / "d");
  EXPECT_EQ(files_.Copy(dir_ / "d", dir_ / "b").Result, FileStatus::Code::Failed);
  EXPECT_EQ(files_.Write(dir_ / "gone" / "a", "x").Reason, "No such file or directory");
  closeFails = true;  // the data may not have reached the disk
  EXPECT_EQ(files_.Write(dir_ / "a", "z").Reason, "Input/output error");
  EXPECT_EQ(files_.Append(dir_ / "b", "z").Reason, "Input/output error");
  closeFails = false;
  shortWrites = true;  // a full disk: the part written is taken back
  EXPECT_EQ(files_.Append(dir_ / "a", std::string(100, 'x')).Reason, "No space left on device");
  EXPECT_EQ(ReadFile(dir_ / "a"), "x\r\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "d"}));
}

}  // namespace
}  // namespace tarvo::scene
