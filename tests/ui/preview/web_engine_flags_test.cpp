#include "ui/preview/web_engine_flags.h"

#include <gtest/gtest.h>

namespace tarvo::ui {

TEST(WebEngineFlagsTest, AppendsWhatIsMissing) {
  // The flags every preview needs; as root, those for no sandbox besides.
  const std::string ours = "--ignore-gpu-blocklist --js-flags=--optimize-for-size";
  const std::string root = ours + " --no-sandbox --no-zygote";
  const struct { std::string UserFlags, Expected; bool RunningAsRoot; } rows[] = {
      {"", root + " --disable-features=WebXR", true},
      {"--lang=it", "--lang=it " + ours + " --disable-features=WebXR", false},
      // The user's own flag of the same name wins, whatever its value.
      {"--ignore-gpu-blocklist --js-flags=--jitless --lang=it",
       "--ignore-gpu-blocklist --js-flags=--jitless --lang=it --disable-features=WebXR", false},
      // A longer flag or feature is another one.
      {"--no-sandbox-x", "--no-sandbox-x " + root + " --disable-features=WebXR", true},
      {"--disable-features=WebXRHitTest", "--disable-features=WebXRHitTest,WebXR " + ours, false},
      // The user's disabled features are joined, not repeated.
      {"--disable-features=A --lang=it", "--disable-features=A,WebXR --lang=it " + ours, false},
      {"--disable-features=WebXR,A", "--disable-features=WebXR,A " + ours, false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(WebEngineFlags(row.UserFlags, row.RunningAsRoot), row.Expected) << row.UserFlags;
}

}  // namespace tarvo::ui
