#include "numbers/exact_decimal.h"

#include <cmath>

namespace tarvo::numbers {
namespace {

__extension__ typedef unsigned __int128 Wide;

// |value| = Mantissa × 2^Exponent, with a 53-bit integer mantissa.
struct Binary {
  std::uint64_t Mantissa;
  int Exponent;
};

Binary Decompose(double value) {
  int exponent = 0;
  const double fraction = std::frexp(std::abs(value), &exponent);  // in [0.5, 1)
  return {static_cast<std::uint64_t>(std::ldexp(fraction, 53)), exponent - 53};
}

constexpr std::uint64_t PowerOfTen(int n) {
  std::uint64_t power = 1;
  for (int i = 0; i < n; ++i) power *= 10;
  return power;
}

// n / 2^shift, rounded half to even.
Wide ShiftRounded(Wide n, int shift) {
  if (shift <= 0) return n << -shift;
  if (shift >= 127) return 0;  // n stays far below 2^126: less than a half
  const Wide quotient = n >> shift;
  const Wide remainder = n - (quotient << shift);
  const Wide half = Wide{1} << (shift - 1);
  if (remainder > half || (remainder == half && (quotient & 1) != 0)) return quotient + 1;
  return quotient;
}

// floor(n / 2^shift), for shift >= 0.
Wide ShiftDown(Wide n, int shift) { return shift >= 127 ? 0 : n >> shift; }

}  // namespace

std::optional<RoundedDecimal> RoundToSignificant(double value, int significant) {
  if (value == 0 || !std::isfinite(value)) return std::nullopt;
  const Binary binary = Decompose(value);
  const std::uint64_t low = PowerOfTen(significant - 1);
  const std::uint64_t high = low * 10;
  // The decimal exponent of the first digit, estimated, then made exact by
  // checking that the scaled value has `significant` whole digits.
  int exponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int scale = significant - 1 - exponent;
    if (exponent < -5 || scale < 0 || scale > 19) return std::nullopt;
    const Wide scaled = Wide{binary.Mantissa} * PowerOfTen(scale);
    const Wide whole = ShiftDown(scaled, -binary.Exponent);
    if (whole < low) {
      --exponent;
    } else if (whole >= high) {
      ++exponent;
    } else {
      Wide digits = ShiftRounded(scaled, -binary.Exponent);
      if (digits == high) {  // rounded up to the next power of ten
        digits = low;
        ++exponent;
      }
      if (exponent < -5 || exponent >= significant) return std::nullopt;
      return RoundedDecimal{static_cast<std::uint64_t>(digits), exponent};
    }
  }
  return std::nullopt;
}

std::optional<std::uint64_t> RoundToFixed(double value, int decimals) {
  if (!std::isfinite(value) || std::abs(value) >= 1e11 || decimals < 0 || decimals > 4) {
    return std::nullopt;
  }
  if (value == 0) return 0;
  const Binary binary = Decompose(value);
  return static_cast<std::uint64_t>(
      ShiftRounded(Wide{binary.Mantissa} * PowerOfTen(decimals), -binary.Exponent));
}

}  // namespace tarvo::numbers
