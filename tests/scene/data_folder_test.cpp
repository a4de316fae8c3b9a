#include "scene/data_folder.h"

#include <gtest/gtest.h>

#include "testing/temp_folder.h"

namespace tarvo::scene {
namespace {

TEST(DataFolder, TheRule) {
  const struct { const char* Name; DataFolderFacts Facts; const char* Expected; } cases[] = {
      {"writable program folder", {std::nullopt, "/opt/tt", false, true, "/x", "/home/u"}, "/opt/tt"},
      {"read-only, usrprobe.dat", {std::nullopt, "/opt/tt", true, false, "/x", "/home/u"}, "/opt/tt"},
      {"read-only, no file", {std::nullopt, "/usr/bin", false, false, "/x/data", "/home/u"}, "/x/data/tarvo-tools"},
      {"no XDG_DATA_HOME", {std::nullopt, "/usr/bin", false, false, "", "/home/u"}, "/home/u/.local/share/tarvo-tools"},
      {"relative XDG_DATA_HOME", {std::nullopt, "/usr/bin", false, false, "data", "/home/u"}, "/home/u/.local/share/tarvo-tools"},
      {"--dir wins over everything", {"/w/tools", "/opt/tt", true, true, "/x", "/home/u"}, "/w/tools"},
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
