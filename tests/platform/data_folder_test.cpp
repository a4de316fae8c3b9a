#include "platform/data_folder.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "testing/temp_folder.h"

namespace tarvo::platform {
namespace {

// The facts of a POSIX system: --dir, program folder, it holds usrprobe.dat,
// it is writable, the installed programs' folder, $XDG_DATA_HOME, $HOME.
DataFolderFacts Posix(std::optional<std::filesystem::path> dir, const char* program, bool holds,
                      bool writable, const char* installed, const char* xdg, const char* home) {
  DataFolderFacts facts;
  facts.DirOption = dir;
  facts.ProgramFolder = PathFromText(program);
  facts.ProgramFolderHoldsDefinition = holds;
  facts.ProgramFolderWritable = writable;
  AddPosixSharedFolders(facts, installed);
  facts.UserDataFolder = PosixUserDataFolder(xdg, home);
  return facts;
}

// The facts of a Windows system, with its usual Program Files folders.
DataFolderFacts Windows(const char* program, bool holds, bool writable) {
  DataFolderFacts facts;
  facts.ProgramFolder = PathFromText(program);
  facts.ProgramFolderHoldsDefinition = holds;
  facts.ProgramFolderWritable = writable;
  facts.SharedTrees = {"C:/Program Files", "C:/Program Files (x86)", "C:/Windows"};
  facts.IgnoreCase = true;
  facts.UserDataFolder = WindowsUserDataFolder("C:/Users/u/AppData/Local");
  return facts;
}

TEST(DataFolder, TheRule) {
  const struct { const char* Name; DataFolderFacts Facts; const char* Expected; } cases[] = {
      {"writable program folder", Posix(std::nullopt, "/home/u/tt", false, true, "/i/bin", "/x", "/home/u"), "/home/u/tt"},
      {"read-only, usrprobe.dat", Posix(std::nullopt, "/opt/tt", true, false, "/i/bin", "/x", "/home/u"), "/opt/tt"},
      {"read-only, no file", Posix(std::nullopt, "/usr/bin", false, false, "/i/bin", "/x/data", "/home/u"), "/x/data/tarvo-tools"},
      {"root in /usr/bin", Posix(std::nullopt, "/usr/bin/", false, true, "/i/bin", "/r/d", "/root"), "/r/d/tarvo-tools"},
      {"root in /opt/tt/bin", Posix(std::nullopt, "/opt/tt/bin", false, true, "/i/bin", "/r/d", "/root"), "/r/d/tarvo-tools"},
      {"root in the install's folder", Posix(std::nullopt, "/i/./bin", false, true, "/i/bin", "/r/d", "/root"), "/r/d/tarvo-tools"},
      {"root in /optics, /usr/bin/tt", Posix(std::nullopt, "/optics", false, true, "/usr/bin/tt", "/r/d", "/root"), "/optics"},
      {"no XDG_DATA_HOME", Posix(std::nullopt, "/usr/bin", false, false, "/i/bin", "", "/home/u"), "/home/u/.local/share/tarvo-tools"},
      {"relative XDG_DATA_HOME", Posix(std::nullopt, "/usr/bin", false, false, "/i/bin", "data", "/home/u"), "/home/u/.local/share/tarvo-tools"},
      {"--dir wins over everything", Posix("/w/tools", "/opt/tt", true, true, "/i/bin", "/x", "/home/u"), "/w/tools"},
      {"unpacked zip", Windows("D:/Messprogramme/Prüfung", false, true), "D:/Messprogramme/Prüfung"},
      {"administrator in Program Files", Windows("c:/program files/TARVO Tools", false, true), "C:/Users/u/AppData/Local/TARVO Tools"},
      {"Program Files (x86), usrprobe.dat", Windows("C:/Program Files (x86)/T", true, false), "C:/Program Files (x86)/T"},
      {"a folder named like Program Files", Windows("C:/Program Files Old/T", false, true), "C:/Program Files Old/T"},
      {"read-only share", Windows("//server/tools", false, false), "C:/Users/u/AppData/Local/TARVO Tools"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PathText(ChooseDataFolder(c.Facts)), c.Expected) << c.Name;
  }
}

TEST(DataFolder, TheSystemsFactsOfAWritableProgramFolder) {
  const tarvo::testing::TempFolder program;
  std::ofstream(program / "usrprobe.dat") << "x";
  const DataFolderFacts facts = SystemDataFolderFacts(std::nullopt, program.Path());
  EXPECT_TRUE(facts.ProgramFolderHoldsDefinition && facts.ProgramFolderWritable);
  EXPECT_EQ(ChooseDataFolder(facts), program.Path());
#ifdef _WIN32
  EXPECT_EQ(PathText(facts.UserDataFolder.filename()), "TARVO Tools");
#else
  EXPECT_EQ(PathText(facts.UserDataFolder.filename()), "tarvo-tools");
#endif
  EXPECT_FALSE(CanWriteIn(program / "missing"));
}

TEST(DataFolder, TheUsersFolderIsMadeWhenMissing) {
  const tarvo::testing::TempFolder root;
  const std::filesystem::path folder = root / "share" / "tarvo-tools";
  EXPECT_EQ(EnsureFolder(folder), std::nullopt);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(EnsureFolder(folder), std::nullopt);  // already there
  std::ofstream(root / "file").put('x');
  EXPECT_NE(EnsureFolder(root / "file" / "sub"), std::nullopt);
}

}  // namespace
}  // namespace tarvo::platform
