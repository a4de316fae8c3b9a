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
        FlagsRow{"NoneAsUser", "", false, "--ignore-gpu-blocklist"},
        FlagsRow{"NoneAsRoot", "", true, "--ignore-gpu-blocklist --no-sandbox"},
        FlagsRow{"UserFlagsKeptFirst", "--lang=it", false, "--lang=it --ignore-gpu-blocklist"},
        FlagsRow{"TrailingBlankNotDoubled", "--lang=it ", false,
                 "--lang=it --ignore-gpu-blocklist"},
        FlagsRow{"AlreadyGivenNotRepeated", "--ignore-gpu-blocklist --lang=it", false,
                 "--ignore-gpu-blocklist --lang=it"},
        FlagsRow{"SandboxAlreadyOff", "--no-sandbox", true, "--no-sandbox --ignore-gpu-blocklist"},
        FlagsRow{"LongerFlagIsAnotherFlag", "--no-sandbox-x", true,
                 "--no-sandbox-x --ignore-gpu-blocklist --no-sandbox"}),
    [](const testing::TestParamInfo<FlagsRow>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace tarvo::ui
