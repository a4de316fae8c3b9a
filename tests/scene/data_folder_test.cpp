#include "scene/data_folder.h"

#include <gtest/gtest.h>

#include "testing/temp_folder.h"

namespace tarvo::scene {
namespace {

TEST(DataFolder, TheRule) {
  // Facts: --dir, program folder, it holds usrprobe.dat, writable, a system program folder.
  const struct { const char* Name; DataFolderFacts Facts; const char* Expected; } cases[] = {
      {"writable program folder", {std::nullopt, "/home/u/tt", false, true, false, "/x", "/home/u"}, "/home/u/tt"},
      {"read-only, usrprobe.dat", {std::nullopt, "/opt/tt", true, false, true, "/x", "/home/u"}, "/opt/tt"},
      {"read-only, no file", {std::nullopt, "/usr/bin", false, false, true, "/x/data", "/home/u"}, "/x/data/tarvo-tools"},
      {"root in /usr/bin", {std::nullopt, "/usr/bin", false, true, true, "/root/d", "/root"}, "/root/d/tarvo-tools"},
      {"no XDG_DATA_HOME", {std::nullopt, "/usr/bin", false, false, true, "", "/home/u"}, "/home/u/.local/share/tarvo-tools"},
      {"relative XDG_DATA_HOME", {std::nullopt, "/usr/bin", false, false, true, "data", "/home/u"}, "/home/u/.local/share/tarvo-tools"},
      {"--dir wins over everything", {"/w/tools", "/opt/tt", true, true, true, "/x", "/home/u"}, "/w/tools"},
  };
  for (const auto& c : cases) EXPECT_EQ(ChooseDataFolder(c.Facts), c.Expected) << c.Name;
  for (const char* system : {"/bin", "/usr/bin/", "/usr/local/bin", "/opt", "/opt/tt/bin", "/inst/bin", "/usr/../bin"}) {
    EXPECT_TRUE(IsSystemProgramFolder(system, "/inst/bin")) << system;
  }
  for (const char* own : {"/home/u/tt", "/optics", "/usr/bin/tt", "/usr", "/inst", ""}) {
    EXPECT_FALSE(IsSystemProgramFolder(own, "/inst/bin")) << own;
  }
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
}  // namespace tarvo::scene
