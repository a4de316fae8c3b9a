#include "numbers/decimal_parser.h"

#include <charconv>
#include <climits>
#include <limits>
#include <algorithm>
#include <string>
#include <system_error>

namespace tarvo::numbers {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// Whether an out-of-range canonical number lies above 1 in magnitude: its
// first significant digit stands left of the point once the exponent is applied.
bool IsLarge(std::string_view canonical) {
  const std::size_t e = std::min(canonical.find('e'), canonical.size());
  const std::string_view mantissa = canonical.substr(0, e);
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return false;
  long long position = first < point ? static_cast<long long>(point - first)
                                     : -static_cast<long long>(first - point - 1);
  if (e < canonical.size()) {
    std::string_view exponent = canonical.substr(e + 1);
    const bool negative = !exponent.empty() && exponent.front() == '-';
    if (negative) exponent.remove_prefix(1);
    // Any exponent past this bound decides alone: no text has that many digits.
    constexpr long long kBound = 1LL << 48;
    long long magnitude = 0;
    const auto [end, ec] = std::from_chars(exponent.data(), exponent.data() + exponent.size(), magnitude);
    if (ec == std::errc::result_out_of_range || magnitude > kBound) magnitude = kBound;
    position += negative ? -magnitude : magnitude;
  }
  return position > 0;
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text, char separator) {
  text = Trimmed(text);
  std::size_t at = 0;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';

  // The canonical form that std::from_chars reads: digits, '.', digits, 'e', exponent.
  std::string canonical;
  const std::size_t wholeEnd = SkipDigits(text, at);
  canonical.append(text.substr(at, wholeEnd - at));
  bool anyDigit = wholeEnd > at;
  at = wholeEnd;
  if (at < text.size() && text[at] == separator) {
    const std::size_t fractionEnd = SkipDigits(text, ++at);
    canonical += '.';
    canonical.append(text.substr(at, fractionEnd - at));
    anyDigit = anyDigit || fractionEnd > at;
    at = fractionEnd;
  }
  if (!anyDigit) return std::nullopt;
  bool negativeExponent = false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exponentStart = at + 1;
    if (exponentStart < text.size() && (text[exponentStart] == '+' || text[exponentStart] == '-')) {
      negativeExponent = text[exponentStart] == '-';
      ++exponentStart;
    }
    const std::size_t exponentEnd = SkipDigits(text, exponentStart);
    if (exponentEnd == exponentStart) return std::nullopt;
    canonical += negativeExponent ? "e-" : "e";
    canonical.append(text.substr(exponentStart, exponentEnd - exponentStart));
    at = exponentEnd;
  }
  if (at != text.size()) return std::nullopt;

  double value = 0;
  const auto [end, ec] = std::from_chars(canonical.data(), canonical.data() + canonical.size(),
                                         value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Past the double range: too large gives infinity, too small gives zero.
    value = IsLarge(canonical) ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (ec != std::errc() || end != canonical.data() + canonical.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::optional<int> ParseEdgeCount(std::string_view text) {
  text = Trimmed(text);
  if (text.empty() || SkipDigits(text, 0) != text.size()) return std::nullopt;
  int count = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (ec == std::errc::result_out_of_range) return INT_MAX;
  if (count < 3) return std::nullopt;
  return count;
}

}  // namespace tarvo::numbers
