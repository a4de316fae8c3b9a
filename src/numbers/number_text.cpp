#include "numbers/number_text.h"

#include "numbers/exact_decimal.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <system_error>

namespace tarvo::numbers {
namespace {

// The digits of a value rounded to `significant` digits, and the decimal
// exponent of the first: the exact integer rounding where it applies, else
// std::to_chars, which also rounds the exact binary value, ties to even, and
// ignores the process locale.
int RoundedDigits(double value, int significant, char (&digits)[24], int& exponent) {
  if (const auto rounded = RoundToSignificant(value, significant)) {
    std::uint64_t number = rounded->Digits;
    for (int i = significant - 1; i >= 0; --i, number /= 10) digits[i] = static_cast<char>('0' + number % 10);
    exponent = rounded->Exponent;
    return significant;
  }
  char scientific[48];  // "-d.ddddde+XX"
  const char* end = std::to_chars(scientific, scientific + sizeof scientific, value,
                                  std::chars_format::scientific, significant - 1).ptr;
  const char* at = scientific + (value < 0 ? 1 : 0);
  int count = 0;
  for (; *at != 'e'; ++at) {
    if (*at != '.') digits[count++] = *at;
  }
  std::from_chars(at + (at[1] == '+' ? 2 : 1), end, exponent);
  return count;
}

// The text of a value rounded to `significant` digits, built in a buffer on
// the stack: this runs for every number of every file.
std::string GeneralText(double value, int significant, char separator) {
  // Zero of either sign is "0"; non-finite values never reach a text because
  // the value checks refuse them, and are written "0" rather than garbage.
  if (value == 0.0 || !std::isfinite(value)) return "0";
  char digits[24];
  int exponent = 0;
  int count = RoundedDigits(value, significant, digits, exponent);
  while (count > 1 && digits[count - 1] == '0') --count;

  char text[64];
  int length = 0;
  const auto put = [&](char c) { text[length++] = c; };
  if (value < 0) put('-');
  if (exponent >= significant || exponent < -4) {
    put(digits[0]);
    if (count > 1) put(separator);
    for (int i = 1; i < count; ++i) put(digits[i]);
    const int magnitude = std::abs(exponent);
    put('E');
    put(exponent < 0 ? '-' : '+');
    if (magnitude < 10) put('0');
    length = static_cast<int>(std::to_chars(text + length, text + sizeof text, magnitude).ptr - text);
  } else if (exponent < 0) {
    put('0');
    put(separator);
    for (int i = 0; i < -exponent - 1; ++i) put('0');
    for (int i = 0; i < count; ++i) put(digits[i]);
  } else {
    const int whole = exponent + 1;
    for (int i = 0; i < whole; ++i) put(i < count ? digits[i] : '0');
    if (count > whole) {
      put(separator);
      for (int i = whole; i < count; ++i) put(digits[i]);
    }
  }
  return std::string(text, static_cast<std::size_t>(length));
}

}  // namespace

double RoundHalfEven(double value, int decimals) {
  if (const std::optional<std::uint64_t> scaled = RoundToFixed(value, decimals)) {
    // Division is exactly rounded: the double nearest to the decimal.
    constexpr double kPowers[] = {1, 10, 100, 1000, 10000};
    const double magnitude = static_cast<double>(*scaled) / kPowers[decimals];
    return value < 0 && magnitude != 0 ? -magnitude : magnitude;
  }
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
  // Below 10^11 three decimals stay within 15 significant digits: the value
  // in thousandths, rounded, is already the text.
  const std::optional<std::uint64_t> thousandths = RoundToFixed(value, 3);
  if (!thousandths) return GeneralText(RoundHalfEven(value, 3), 15, '.');
  if (*thousandths == 0) return "0";
  std::string text = value < 0 ? "-" : "";
  text += std::to_string(*thousandths / 1000);
  if (std::uint64_t fraction = *thousandths % 1000; fraction != 0) {
    char decimals[4] = {'.', static_cast<char>('0' + fraction / 100),
                        static_cast<char>('0' + fraction / 10 % 10), static_cast<char>('0' + fraction % 10)};
    std::size_t length = 4;
    while (decimals[length - 1] == '0') --length;
    text.append(decimals, length);
  }
  return text;
}

std::string CoordinateText(float value) {
  // Deliberately narrowed: the rounded value is kept in single precision.
  const float rounded = static_cast<float>(RoundHalfEven(value, 3));
  return GeneralText(rounded, 7, '.');
}

std::string FixedText(double value, int decimals, char separator) {
  if (!std::isfinite(value)) return "0";
  char buffer[400];
  const char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  std::string text(buffer, static_cast<std::size_t>(end - buffer));
  if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-') text.erase(0, 1);
  if (const std::size_t point = text.find('.'); point != std::string::npos) text[point] = separator;
  return text;
}

std::string FigureText(double value, int decimals, char separator) {
  std::string text = FixedText(value, decimals);
  if (const std::size_t point = text.find('.'); point != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    else text[point] = separator;
  }
  return text;
}

std::string DateText(int year, int month, int day) {
  char text[16];
  const auto two = [](char* at, int value) {
    at[0] = static_cast<char>('0' + value / 10 % 10);
    at[1] = static_cast<char>('0' + value % 10);
  };
  const char* end = std::to_chars(text, text + 8, year).ptr;
  std::string date(static_cast<const char*>(text), end);
  char rest[6] = {'-', 0, 0, '-', 0, 0};
  two(rest + 1, month);
  two(rest + 4, day);
  return date + std::string(rest, 6);
}

std::string SceneText(double value) { return GeneralText(value, 15, '.'); }

std::string SceneText(float value) { return GeneralText(value, 7, '.'); }

}  // namespace tarvo::numbers
