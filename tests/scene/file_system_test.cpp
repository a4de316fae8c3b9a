#include "scene/file_system.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <random>

namespace tarvo::scene {
namespace {

namespace fs = std::filesystem;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tarvo-fs-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Read(const fs::path& file) const {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
  PosixFileSystem files_;
};

TEST_F(PosixFileSystemTest, WriteReplacesTheWholeFile) {
  ASSERT_TRUE(files_.Write(dir_ / "a", "first\r\n").IsOk());
  ASSERT_TRUE(files_.Write(dir_ / "a", "2\r\n").IsOk());
  EXPECT_EQ(Read(dir_ / "a"), "2\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"a"});
}

TEST_F(PosixFileSystemTest, AppendCreatesAndExtends) {
  ASSERT_TRUE(files_.Append(dir_ / "a", "x\r\n").IsOk());
  ASSERT_TRUE(files_.Append(dir_ / "a", "y\r\n").IsOk());
  EXPECT_EQ(Read(dir_ / "a"), "x\r\ny\r\n");
}

TEST_F(PosixFileSystemTest, CopyIsByteForByteAndReportsAMissingSource) {
  const std::string bytes("a\0b\r\n\xff", 6);
  files_.Write(dir_ / "a", bytes);
  files_.Write(dir_ / "b", "old");
  ASSERT_TRUE(files_.Copy(dir_ / "a", dir_ / "b").IsOk());
  EXPECT_EQ(Read(dir_ / "b"), bytes);
  EXPECT_EQ(files_.Copy(dir_ / "none", dir_ / "b").Result, FileStatus::Code::MissingSource);
  EXPECT_EQ(Read(dir_ / "b"), bytes);
}

TEST_F(PosixFileSystemTest, FailuresSayWhyAndLeaveNoScraps) {
  fs::create_directory(dir_ / "d");
  const FileStatus write = files_.Write(dir_ / "d", "x");
  EXPECT_EQ(write.Result, FileStatus::Code::Failed);
  EXPECT_EQ(write.Reason, "Is a directory");
  EXPECT_EQ(files_.Append(dir_ / "d", "x").Reason, "Is a directory");
  files_.Write(dir_ / "a", "x");
  EXPECT_EQ(files_.Copy(dir_ / "a", dir_ / "d").Result, FileStatus::Code::Failed);
  EXPECT_EQ(files_.Copy(dir_ / "d", dir_ / "b").Result, FileStatus::Code::Failed);
  EXPECT_EQ(files_.Write(dir_ / "gone" / "a", "x").Reason, "No such file or directory");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "d"}));
}

TEST_F(PosixFileSystemTest, AShortAppendIsTakenBackWhole) {
  const std::string earlier = "ITEM:A TARVO1\r\n\r\n";
  files_.Write(dir_ / "usrprobe.dat", earlier);
  // A file size limit makes the write come back short, as a full disk would.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit = saved;
  limit.rlim_cur = earlier.size() + 10;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const FileStatus status = files_.Append(dir_ / "usrprobe.dat", std::string(100, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(status.Result, FileStatus::Code::Failed);
  EXPECT_FALSE(status.Reason.empty());
  EXPECT_EQ(Read(dir_ / "usrprobe.dat"), earlier);
}

}  // namespace
}  // namespace tarvo::scene
