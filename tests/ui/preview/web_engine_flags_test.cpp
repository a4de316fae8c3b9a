#include "ui/preview/web_engine_flags.h"

#include <gtest/gtest.h>

namespace tarvo::ui {
namespace {

TEST(WebEngineFlagsTest, AppendsWhatIsMissing) {
  struct Row {
    const char* UserFlags;
    bool RunningAsRoot;
    const char* Expected;
  };
  const Row rows[] = {
      {"", true, "--ignore-gpu-blocklist --no-sandbox --no-zygote --disable-features=WebXR"},
      {"--lang=it", false, "--lang=it --ignore-gpu-blocklist --disable-features=WebXR"},
      {"--ignore-gpu-blocklist --lang=it", false,
       "--ignore-gpu-blocklist --lang=it --disable-features=WebXR"},
      // A longer flag or feature is another one.
      {"--no-sandbox-x", true,
       "--no-sandbox-x --ignore-gpu-blocklist --no-sandbox --no-zygote --disable-features=WebXR"},
      {"--disable-features=WebXRHitTest", false,
       "--disable-features=WebXRHitTest,WebXR --ignore-gpu-blocklist"},
      // The user's disabled features are joined, not repeated.
      {"--disable-features=A --lang=it", false, "--disable-features=A,WebXR --lang=it --ignore-gpu-blocklist"},
      {"--disable-features=WebXR,A", false, "--disable-features=WebXR,A --ignore-gpu-blocklist"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(WebEngineFlags(row.UserFlags, row.RunningAsRoot), row.Expected) << row.UserFlags;
}

}  // namespace
}  // namespace tarvo::ui
