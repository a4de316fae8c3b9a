#include "platform/files.h"

#include <gtest/gtest.h>


#include "platform/text.h"
#include "testing/temp_folder.h"

namespace tarvo::platform {
namespace {

namespace fs = std::filesystem;
using tarvo::testing::FileNames;
using tarvo::testing::ReadFile;

class FilesTest : public ::testing::Test {
 protected:
  const tarvo::testing::TempFolder folder_;
  const fs::path dir_ = folder_.Path() / PathFromText("Prüfung Ω");
  DiskFileSystem files_;
  static constexpr Durability kDurable = Durability::Durable;
};

// Every byte as given, on every system: no CR is added before a line feed and
// none is taken away, in a folder whose name is not ASCII.
TEST_F(FilesTest, BytesArriveExactlyAndFailuresSayWhyInTheSameWords) {
  fs::create_directories(dir_);
  const std::string bytes("a\0b\r\n\n\r\xff\x1a", 9);
  ASSERT_TRUE(files_.Write(dir_ / "a", "first\n", Durability::Scratch).IsOk());
  ASSERT_TRUE(files_.Write(dir_ / "a", bytes, kDurable).IsOk());
  ASSERT_TRUE(files_.Append(dir_ / "a", "y\r\n", kDurable).IsOk());
  ASSERT_TRUE(files_.Append(dir_ / "new", "z\n", kDurable).IsOk());
  ASSERT_TRUE(files_.Copy(dir_ / "a", dir_ / "b", kDurable).IsOk());
  EXPECT_EQ(ReadFile(dir_ / "b"), bytes + "y\r\n");
  EXPECT_EQ(ReadFile(dir_ / "new"), "z\n");
  std::string read;
  ASSERT_TRUE(files_.Read(dir_ / "b", read).IsOk());
  EXPECT_EQ(read, bytes + "y\r\n");

  EXPECT_EQ(files_.Read(dir_ / "none", read).Result, FileStatus::Code::MissingSource);
  EXPECT_EQ(files_.Copy(dir_ / "none", dir_ / "b", kDurable).Result, FileStatus::Code::MissingSource);
  fs::create_directory(dir_ / "d");
  for (const FileStatus& refused : {files_.Write(dir_ / "d", "x", kDurable),
                                    files_.Append(dir_ / "d", "x", kDurable),
                                    files_.Read(dir_ / "d", read)}) {
    EXPECT_EQ(refused.Result, FileStatus::Code::Failed);
    EXPECT_EQ(refused.Reason, "Is a directory");
  }
  EXPECT_EQ(files_.Copy(dir_ / "a", dir_ / "d", kDurable).File, dir_ / "d");
  EXPECT_EQ(files_.Write(dir_ / "gone" / "a", "x", kDurable).Reason, "No such file or directory");
  EXPECT_EQ(FileNames(dir_), (std::vector<std::string>{"a", "b", "d", "new"}));
}

TEST_F(FilesTest, TemporariesLeftByAKilledWriterAreKnownByNameAndRemoved) {
  fs::create_directories(dir_);
  for (const char* name : {".usrprobe.dat.4242-17.tmp", ".x.1-2.tmp", "usrprobe.dat", ".usrprobe.dat.tmp",
                           ".a.1-x.tmp", "keep.1-2.tmp"}) {
    std::ofstream(dir_ / name) << "x";
  }
  RemoveLeftTemporaries(dir_);
  EXPECT_EQ(FileNames(dir_), (std::vector<std::string>{".a.1-x.tmp", ".usrprobe.dat.tmp", "keep.1-2.tmp",
                                                    "usrprobe.dat"}));
}

}  // namespace
}  // namespace tarvo::platform
