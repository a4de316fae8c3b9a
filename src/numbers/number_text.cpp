#include "numbers/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <system_error>

namespace tarvo::numbers {
namespace {

// Digits and decimal exponent of a value rounded to `significant` digits:
// value = 0.d1 d2 d3 ... * 10^(exponent + 1), trailing zeros removed.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

Decimal ToDecimal(double value, int significant) {
  char buffer[64];
  // std::to_chars rounds the exact binary value, ties to even, and ignores
  // the process locale.
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::scientific, significant - 1);
  std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  Decimal result;
  if (text.front() == '-') {
    result.negative = true;
    text.remove_prefix(1);
  }
  const auto e = text.find('e');
  for (char c : text.substr(0, e)) {
    if (c != '.') result.digits += c;
  }
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0),
                  text.data() + text.size(), result.exponent);
  while (result.digits.size() > 1 && result.digits.back() == '0') result.digits.pop_back();
  return result;
}

std::string GeneralText(double value, int significant, char separator) {
  // Zero of either sign is "0"; non-finite values never reach a text because
  // the value checks refuse them, and are written "0" rather than garbage.
  if (value == 0.0 || !std::isfinite(value)) return "0";
  const Decimal d = ToDecimal(value, significant);
  std::string text = d.negative ? "-" : "";
  const int count = static_cast<int>(d.digits.size());
  if (d.exponent >= significant || d.exponent < -4) {
    text += d.digits[0];
    if (count > 1) {
      text += separator;
      text.append(d.digits, 1);
    }
    const int magnitude = std::abs(d.exponent);
    text += d.exponent < 0 ? "E-" : "E+";
    if (magnitude < 10) text += '0';
    text += std::to_string(magnitude);
    return text;
  }
  if (d.exponent < 0) {
    text += '0';
    text += separator;
    text.append(static_cast<std::size_t>(-d.exponent - 1), '0');
    text += d.digits;
    return text;
  }
  const int whole = d.exponent + 1;
  if (count <= whole) {
    text += d.digits;
    text.append(static_cast<std::size_t>(whole - count), '0');
  } else {
    text.append(d.digits, 0, static_cast<std::size_t>(whole));
    text += separator;
    text.append(d.digits, static_cast<std::size_t>(whole));
  }
  return text;
}

}  // namespace

double RoundHalfEven(double value, int decimals) {
  char buffer[400];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::fixed, decimals);
  if (ec != std::errc()) return value;
  double rounded = 0;
  std::from_chars(buffer, end, rounded);
  return rounded == 0.0 ? 0.0 : rounded;
}

std::string SingleText(float value, char separator) {
  return GeneralText(value, 7, separator);
}

std::string DoubleText(double value, char separator) {
  return GeneralText(value, 15, separator);
}

std::string IntegerText(int value) { return std::to_string(value); }

std::string CoordinateText(double value) {
  return GeneralText(RoundHalfEven(value, 3), 15, '.');
}

std::string CoordinateText(float value) {
  // Deliberately narrowed: the rounded value is kept in single precision.
  const float rounded = static_cast<float>(RoundHalfEven(value, 3));
  return GeneralText(rounded, 7, '.');
}

std::string SceneText(double value) { return GeneralText(value, 15, '.'); }

std::string SceneText(float value) { return GeneralText(value, 7, '.'); }

}  // namespace tarvo::numbers
