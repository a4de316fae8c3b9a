#include "numbers/decimal_separator.h"

#include <gtest/gtest.h>

namespace tarvo::numbers {
namespace {

TEST(ReadDecimalSeparator, OnlyACommaMakesACommaLocale) {
  FixedLocaleQuery comma(std::string(","));
  const DecimalSeparatorReading reading = ReadDecimalSeparator(comma);
  EXPECT_EQ(reading.Character, ',');
  EXPECT_STREQ(reading.Format.LocaleCode(), "ITA");
  EXPECT_EQ(reading.Format.Separator(), ',');
  EXPECT_EQ(reading.Format.PiValue, 3.1415927F);

  for (const std::optional<std::string>& answer :
       {std::optional<std::string>("."), std::optional<std::string>("\xd9\xab"),
        std::optional<std::string>(""), std::optional<std::string>()}) {
    FixedLocaleQuery query(answer);
    const DecimalSeparatorReading other = ReadDecimalSeparator(query);
    EXPECT_STREQ(other.Format.LocaleCode(), "");
    EXPECT_EQ(other.Format.Separator(), '.');
  }
  FixedLocaleQuery failed(std::nullopt);
  EXPECT_EQ(ReadDecimalSeparator(failed).Character, 'a');
}

}  // namespace
}  // namespace tarvo::numbers
