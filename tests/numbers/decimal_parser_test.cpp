#include "numbers/decimal_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace tarvo::numbers {
namespace {

TEST(ParseDecimal, FollowsTheGrammar) {
  const std::pair<const char*, double> accepted[] = {
      {"20", 20.0}, {"12.50", 12.5}, {"007", 7.0},   {"5.", 5.0},     {" 4 ", 4.0}, {"\t4\t", 4.0},
      {"-3", -3.0}, {"-0", -0.0},    {"1e2", 100.0}, {"2.5E-1", 0.25}};
  for (const auto& [text, value] : accepted) EXPECT_EQ(ParseDecimal(text, '.'), value) << text;
  EXPECT_EQ(ParseDecimal("2,5", ','), 2.5);  // the separator of a comma locale
  for (const char* refused : {"", ".", "1.2.3", "1,2.3", "2,5", "5abc", "1e", "1 2", "0x10", "inf",
                              "4\n", "\n4", "\r4", "\v4", "4\f", "\xC2\xA0" "4"})
    EXPECT_EQ(ParseDecimal(refused, '.'), std::nullopt) << refused;
}

TEST(ParseDecimal, BeyondDoubleRangeSaturates) {
  EXPECT_TRUE(std::isinf(*ParseDecimal("1e400", '.')));
  EXPECT_EQ(*ParseDecimal("1e-400", '.'), 0.0);
  EXPECT_TRUE(std::isinf(*ParseDecimal("-1e99999999999999999999", '.')));
  // Exponents at the edge of a 64-bit integer, behind zeros too.
  EXPECT_TRUE(std::isinf(*ParseDecimal("5.E" + std::string(90, '0') + "9223372036854775807", '.')));
  EXPECT_EQ(*ParseDecimal("5.E-9223372036854775807", '.'), 0.0);
  EXPECT_EQ(*ParseDecimal("0." + std::string(400, '0') + "1", '.'), 0.0);
  EXPECT_TRUE(std::isinf(*ParseDecimal("1" + std::string(400, '0'), '.')));
}

TEST(ParseEdgeCount, TakesWholeNumbersFromThree) {
  EXPECT_EQ(ParseEdgeCount("3"), 3);
  EXPECT_EQ(ParseEdgeCount(" 30\t"), 30);
  EXPECT_EQ(ParseEdgeCount("97"), 97);
  EXPECT_EQ(ParseEdgeCount("99999999999999999999"), INT_MAX);
  for (const char* refused : {"", "2", "0", "-4", "4.0", "abc", "4a", "+4", "1e1", "4\n"}) {
    EXPECT_FALSE(ParseEdgeCount(refused).has_value()) << refused;
  }
}

}  // namespace
}  // namespace tarvo::numbers
