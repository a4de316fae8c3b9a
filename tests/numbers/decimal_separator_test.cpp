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

TEST(ReadDecimalSeparator, PiIsSinglePrecision) {
  FixedLocaleQuery comma(std::string(","));
  EXPECT_EQ(ReadDecimalSeparator(comma).Format.PiValue, 3.1415927F);
}

TEST(SystemLocaleQuery, AnswersWithoutChangingTheProcessLocale) {
  SystemLocaleQuery query;
  const std::optional<std::string> answer = query.DecimalSeparator();
  ASSERT_TRUE(answer.has_value());
  EXPECT_FALSE(answer->empty());
}

}  // namespace
}  // namespace tarvo::numbers
