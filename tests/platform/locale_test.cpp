// The decimal separator as the user has set it in Windows's regional
// settings, which may differ from their locale's own. Changes the user's
// setting for a moment: run alone.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/process.h"

namespace tarvo::platform {
namespace {

TEST(UserDecimalSeparator, IsTheUsersOwnSetting) {
  char original[8] = {};
  ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, original, sizeof original), 0);
  for (const char* separator : {",", ".", ","}) {
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator));
    EXPECT_EQ(UserDecimalSeparator(), std::optional<std::string>(separator));
  }
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, original);
}

}  // namespace
}  // namespace tarvo::platform
