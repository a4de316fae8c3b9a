#include "numbers/exact_decimal.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace tarvo::numbers {
namespace {

// The digits and exponent that std::to_chars gives, as the reference.
RoundedDecimal Reference(double value, int significant) {
  char text[64];
  const char* end = std::to_chars(text, text + sizeof text, std::abs(value),
                                  std::chars_format::scientific, significant - 1).ptr;
  RoundedDecimal reference;
  const char* at = text;
  for (; *at != 'e'; ++at) {
    if (*at != '.') reference.Digits = reference.Digits * 10 + static_cast<std::uint64_t>(*at - '0');
  }
  std::from_chars(at + (at[1] == '+' ? 2 : 1), end, reference.Exponent);
  return reference;
}

// Random magnitudes over the whole fixed-form range, exact binary fractions
// (whose halves are real ties) and single-precision values.
std::vector<double> Samples() {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> unit(1.0, 10.0);
  std::vector<double> samples;
  for (int i = 0; i < 40000; ++i) {
    const double value = unit(random) * std::pow(10.0, i % 22 - 6) * (i % 3 == 0 ? -1 : 1);
    samples.push_back(value);
    samples.push_back(static_cast<float>(value));
    samples.push_back(std::ldexp(static_cast<double>(i), -(i % 20)));
  }
  for (double tie : {0.0625, 0.1875, 2.5, 0.0005, 1234567.5, 12345678.5, 0.5, 9999999.5, 99999995.0}) {
    samples.push_back(tie);
  }
  return samples;
}

TEST(RoundToSignificant, AgreesWithTheGeneralConversion) {
  int exact = 0;
  for (double value : Samples()) {
    for (int significant : {7, 15}) {
      const auto rounded = RoundToSignificant(value, significant);
      if (!rounded) continue;
      ++exact;
      const RoundedDecimal reference = Reference(value, significant);
      ASSERT_EQ(rounded->Digits, reference.Digits) << value << " to " << significant;
      ASSERT_EQ(rounded->Exponent, reference.Exponent) << value << " to " << significant;
    }
  }
  EXPECT_GT(exact, 100000);  // the integer path takes the usual values
}

TEST(RoundToFixed, RoundsTheExactBinaryValueHalfToEven) {
  EXPECT_EQ(RoundToFixed(0.00005, 4), 1U);  // just above the half in binary
  EXPECT_EQ(RoundToFixed(0.03125, 4), 312U);  // an exact half: to the even digit
  EXPECT_EQ(RoundToFixed(0.03135, 4), 314U);
  EXPECT_EQ(RoundToFixed(-2.8867513459481287, 3), 2887U);
  EXPECT_FALSE(RoundToFixed(1e11, 3).has_value());
}

}  // namespace
}  // namespace tarvo::numbers
