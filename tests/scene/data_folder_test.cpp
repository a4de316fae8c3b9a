#include "scene/data_folder.h"

#include <gtest/gtest.h>

#include "testing/temp_folder.h"

namespace tarvo::scene {
namespace {

TEST(DataFolder, TheRule) {
  // Facts: --dir, program folder, it holds usrprobe.dat, it is writable, the installed programs' folder.
  const struct { const char* Name; DataFolderFacts Facts; const char* Expected; } cases[] = {
      {"writable program folder", {std::nullopt, "/home/u/tt", false, true, "/i/bin", "/x", "/home/u"}, "/home/u/tt"},
      {"read-only, usrprobe.dat", {std::nullopt, "/opt/tt", true, false, "/i/bin", "/x", "/home/u"}, "/opt/tt"},
      {"read-only, no file", {std::nullopt, "/usr/bin", false, false, "/i/bin", "/x/data", "/home/u"}, "/x/data/tarvo-tools"},
      {"root in /usr/bin", {std::nullopt, "/usr/bin/", false, true, "/i/bin", "/r/d", "/root"}, "/r/d/tarvo-tools"},
      {"root in /opt/tt/bin", {std::nullopt, "/opt/tt/bin", false, true, "/i/bin", "/r/d", "/root"}, "/r/d/tarvo-tools"},
      {"root in the install's folder", {std::nullopt, "/i/./bin", false, true, "/i/bin", "/r/d", "/root"}, "/r/d/tarvo-tools"},
      {"root in /optics, /usr/bin/tt", {std::nullopt, "/optics", false, true, "/usr/bin/tt", "/r/d", "/root"}, "/optics"},
      {"no XDG_DATA_HOME", {std::nullopt, "/usr/bin", false, false, "/i/bin", "", "/home/u"}, "/home/u/.local/share/tarvo-tools"},
      {"relative XDG_DATA_HOME", {std::nullopt, "/usr/bin", false, false, "/i/bin", "data", "/home/u"}, "/home/u/.local/share/tarvo-tools"},
      {"--dir wins over everything", {"/w/tools", "/opt/tt", true, true, "/i/bin", "/x", "/home/u"}, "/w/tools"},
  };
  for (const auto& c : cases) EXPECT_EQ(ChooseDataFolder(c.Facts), c.Expected) << c.Name;
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
