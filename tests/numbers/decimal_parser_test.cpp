#include "numbers/decimal_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace tarvo::numbers {
namespace {

struct ParseRow {
  const char* Name;
  const char* Text;
  char Separator;
  std::optional<double> Value;
};

class ParseDecimalTest : public ::testing::TestWithParam<ParseRow> {};

TEST_P(ParseDecimalTest, FollowsTheGrammar) {
  const std::optional<double> parsed = ParseDecimal(GetParam().Text, GetParam().Separator);
  ASSERT_EQ(parsed.has_value(), GetParam().Value.has_value());
  if (parsed) {
    EXPECT_EQ(*parsed, *GetParam().Value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseDecimalTest,
    ::testing::Values(
        ParseRow{"Whole", "20", '.', 20.0}, ParseRow{"Fraction", "12.50", '.', 12.5},
        ParseRow{"LeadingZeros", "007", '.', 7.0}, ParseRow{"NoFractionDigits", "5.", '.', 5.0},
        ParseRow{"Blanks", " 4 ", '.', 4.0},
        ParseRow{"Minus", "-3", '.', -3.0}, ParseRow{"MinusZero", "-0", '.', -0.0},
        ParseRow{"Exponent", "1e2", '.', 100.0}, ParseRow{"ExponentUpper", "2.5E-1", '.', 0.25},
        ParseRow{"CommaSeparator", "2,5", ',', 2.5},
        ParseRow{"Empty", "", '.', std::nullopt}, ParseRow{"OnlySeparator", ".", '.', std::nullopt},
        ParseRow{"TwoSeparators", "1.2.3", '.', std::nullopt},
        ParseRow{"Grouping", "1,2.3", '.', std::nullopt},
        ParseRow{"OtherSeparator", "2,5", '.', std::nullopt},
        ParseRow{"TrailingLetters", "5abc", '.', std::nullopt},
        ParseRow{"BareExponent", "1e", '.', std::nullopt},
        ParseRow{"InnerBlank", "1 2", '.', std::nullopt},
        ParseRow{"Hexadecimal", "0x10", '.', std::nullopt},
        ParseRow{"Infinity", "inf", '.', std::nullopt}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ParseDecimal, BeyondDoubleRangeSaturates) {
  EXPECT_TRUE(std::isinf(*ParseDecimal("1e400", '.')));
  EXPECT_EQ(*ParseDecimal("1e-400", '.'), 0.0);
  EXPECT_TRUE(std::isinf(*ParseDecimal("-1e99999999999999999999", '.')));
  EXPECT_EQ(*ParseDecimal("0." + std::string(400, '0') + "1", '.'), 0.0);
  EXPECT_TRUE(std::isinf(*ParseDecimal("1" + std::string(400, '0'), '.')));
}

TEST(ParseEdgeCount, TakesWholeNumbersFromThree) {
  EXPECT_EQ(ParseEdgeCount("3"), 3);
  EXPECT_EQ(ParseEdgeCount(" 30 "), 30);
  EXPECT_EQ(ParseEdgeCount("97"), 97);
  EXPECT_EQ(ParseEdgeCount("99999999999999999999"), INT_MAX);
  for (const char* refused : {"", "2", "0", "-4", "4.0", "abc", "4a", "+4", "1e1"}) {
    EXPECT_FALSE(ParseEdgeCount(refused).has_value()) << refused;
  }
}

}  // namespace
}  // namespace tarvo::numbers
