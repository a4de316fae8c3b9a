#pragma once

#include <cstdint>
#include <optional>

namespace tarvo::numbers {

// A positive value rounded to a number of significant digits:
// value ≈ Digits × 10^(Exponent - significant + 1), Digits with exactly
// `significant` digits.
struct RoundedDecimal {
  std::uint64_t Digits = 0;
  int Exponent = 0;  // the decimal exponent of the first digit
};

// Rounds |value| half-to-even on its exact binary value, with integer
// arithmetic, when the result lies in [10^-5, 10^significant); nothing
// otherwise (the caller then takes the general conversion).
// `significant` is at most 15.
std::optional<RoundedDecimal> RoundToSignificant(double value, int significant);

// |value| × 10^decimals rounded half-to-even on its exact binary value, when
// |value| is below 10^11 and `decimals` at most 4; nothing otherwise.
std::optional<std::uint64_t> RoundToFixed(double value, int decimals);

}  // namespace tarvo::numbers
