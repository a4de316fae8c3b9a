#include "ui/preview/web_engine_flags.h"

#include <gtest/gtest.h>

namespace tarvo::ui {

TEST(WebEngineFlagsTest, AppendsWhatIsMissing) {
  const struct { const char *UserFlags, *Expected; bool RunningAsRoot; } rows[] = {
      {"", "--ignore-gpu-blocklist --no-sandbox --no-zygote --disable-features=WebXR", true},
      {"--lang=it", "--lang=it --ignore-gpu-blocklist --disable-features=WebXR", false},
      {"--ignore-gpu-blocklist --lang=it",
       "--ignore-gpu-blocklist --lang=it --disable-features=WebXR", false},
      // A longer flag or feature is another one.
      {"--no-sandbox-x",
       "--no-sandbox-x --ignore-gpu-blocklist --no-sandbox --no-zygote --disable-features=WebXR",
       true},
      {"--disable-features=WebXRHitTest",
       "--disable-features=WebXRHitTest,WebXR --ignore-gpu-blocklist", false},
      // The user's disabled features are joined, not repeated.
      {"--disable-features=A --lang=it",
       "--disable-features=A,WebXR --lang=it --ignore-gpu-blocklist", false},
      {"--disable-features=WebXR,A", "--disable-features=WebXR,A --ignore-gpu-blocklist", false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(WebEngineFlags(row.UserFlags, row.RunningAsRoot), row.Expected) << row.UserFlags;
}

}  // namespace tarvo::ui
