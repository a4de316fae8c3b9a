#include "ui/preview/web_engine_flags.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tarvo::ui {
namespace {

struct FlagsRow {
  const char* Name;
  const char* UserFlags;
  bool RunningAsRoot;
  const char* Expected;
};

void PrintTo(const FlagsRow& row, std::ostream* out) { *out << row.Name; }

class WebEngineFlagsTest : public testing::TestWithParam<FlagsRow> {};

TEST_P(WebEngineFlagsTest, AppendsWhatIsMissing) {
  const FlagsRow& row = GetParam();
  EXPECT_EQ(WebEngineFlags(row.UserFlags, row.RunningAsRoot), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WebEngineFlagsTest,
    testing::Values(
        FlagsRow{"NoneAsRoot", "", true,
                 "--ignore-gpu-blocklist --no-sandbox --no-zygote --disable-features=WebXR"},
        FlagsRow{"UserFlagsKeptFirst", "--lang=it", false,
                 "--lang=it --ignore-gpu-blocklist --disable-features=WebXR"},
        FlagsRow{"AlreadyGivenNotRepeated", "--ignore-gpu-blocklist --lang=it", false,
                 "--ignore-gpu-blocklist --lang=it --disable-features=WebXR"},
        FlagsRow{"LongerFlagIsAnotherFlag", "--no-sandbox-x", true,
                 "--no-sandbox-x --ignore-gpu-blocklist --no-sandbox --no-zygote --disable-features=WebXR"},
        FlagsRow{"JoinsTheUsersDisabledFeatures", "--disable-features=A --lang=it", false,
                 "--disable-features=A,WebXR --lang=it --ignore-gpu-blocklist"},
        FlagsRow{"AlreadyDisabledNotRepeated", "--disable-features=WebXR,A", false,
                 "--disable-features=WebXR,A --ignore-gpu-blocklist"},
        FlagsRow{"LongerFeatureIsAnotherFeature", "--disable-features=WebXRHitTest", false,
                 "--disable-features=WebXRHitTest,WebXR --ignore-gpu-blocklist"}),
    [](const testing::TestParamInfo<FlagsRow>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace tarvo::ui
