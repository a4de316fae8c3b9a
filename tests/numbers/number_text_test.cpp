#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvo::numbers {
namespace {

// Fixed form from 0.0001 to 9999999, else the exponent form with at least two digits.
TEST(SingleText, RendersSevenSignificantDigits) {
  const std::pair<float, const char*> rows[] = {{-20.0F, "-20"},
                                                {0.5F, "0.5"},
                                                {1.0F / 3, "0.3333333"},
                                                {12.3456789F, "12.34568"},
                                                {10.1F, "10.1"},
                                                {0.0F, "0"},
                                                {-0.0F, "0"},
                                                {0.0001F, "0.0001"},
                                                {0.00001F, "1E-05"},
                                                {9999999.0F, "9999999"},
                                                {1.0e7F, "1E+07"},
                                                {1.0e10F, "1E+10"},
                                                {99999999.0F, "1E+08"},
                                                {3.0e38F, "3E+38"}};
  for (const auto& [value, text] : rows) EXPECT_EQ(SingleText(value, '.'), text);
  EXPECT_EQ(SingleText(-10.5F, ','), "-10,5");
  EXPECT_EQ(SingleText(1.5e7F, ','), "1,5E+07");
}

TEST(DoubleText, WidenedSingleShowsItsBinaryDigits) {
  EXPECT_EQ(DoubleText(static_cast<double>(-10.1F), '.'), "-10.1000003814697");
  EXPECT_EQ(DoubleText(-12.1000003814697, ','), "-12,1000003814697");
  EXPECT_EQ(DoubleText(0.1, '.'), "0.1");
  EXPECT_EQ(DoubleText(1e15, '.'), "1E+15");
  EXPECT_EQ(DoubleText(999999999999999.0, '.'), "999999999999999");
  EXPECT_EQ(DoubleText(std::numeric_limits<double>::infinity(), '.'), "0");
}

TEST(CoordinateText, RoundsHalfToEvenAtThreeDecimalsWithAPoint) {
  EXPECT_EQ(CoordinateText(2.8867513459481287), "2.887");
  EXPECT_EQ(CoordinateText(0.0625), "0.062");  // an exact half goes to the even digit
  EXPECT_EQ(CoordinateText(0.1875), "0.188");
  EXPECT_EQ(CoordinateText(-0.0004), "0");  // never "-0"
  EXPECT_EQ(CoordinateText(-1.2e-16), "0");
  EXPECT_EQ(CoordinateText(4.999999999999999), "5");
  EXPECT_EQ(CoordinateText(-0.98058067569092), "-0.981");
  EXPECT_EQ(CoordinateText(1234.5), "1234.5");
}

TEST(CoordinateText, SingleValuesKeepSevenDigits) {
  EXPECT_EQ(CoordinateText(2.9999998F), "3");
  EXPECT_EQ(CoordinateText(12345.678F), "12345.68");
  EXPECT_EQ(CoordinateText(-5.0000005F), "-5");
  EXPECT_EQ(CoordinateText(-0.0001F), "0");
}

TEST(SceneText, AlwaysUsesAPoint) {
  EXPECT_EQ(SceneText(6.35), "6.35");
  EXPECT_EQ(SceneText(-5.0), "-5");
  EXPECT_EQ(SceneText(3.14159265F / 2), "1.570796");
  EXPECT_EQ(SceneText(-4.999999F), "-4.999999");
  EXPECT_EQ(SceneText(-4.9999995F), "-5");
}

TEST(RoundHalfEven, WorksOnTheExactBinaryValue) {
  EXPECT_EQ(RoundHalfEven(std::cos(5 / 180.0 * static_cast<double>(3.14159265F)), 4), 0.9962);
  EXPECT_EQ(RoundHalfEven(-std::sin(5 / 180.0 * static_cast<double>(3.14159265F)), 4), -0.0872);
  EXPECT_EQ(RoundHalfEven(0.00005, 4), 0.0001);  // 0.00005 lies just above the half in binary
  EXPECT_FALSE(std::signbit(RoundHalfEven(-0.00001, 4)));
}

}  // namespace
}  // namespace tarvo::numbers
