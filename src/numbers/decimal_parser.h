#pragma once

#include <optional>
#include <string_view>

#include "numbers/number_format.h"

namespace tarvo::numbers {

// Parses the decimal grammar of the value checks, independent of the process
// locale: optional blanks around, an optional sign, digits with at most one
// `separator` (digits on at least one side of it), and an optional exponent
// ("E" or "e", an optional sign, digits). A value beyond double range gives
// an infinity or zero of the right sign. No value for any other text.
std::optional<double> ParseDecimal(std::string_view text, char separator);

// A field's number, read from the text the value checks left in it; 0 for a
// text that is not a number.
inline double FieldNumber(std::string_view text, const NumberFormat& format) {
  return ParseDecimal(text, format.Separator()).value_or(0.0);
}

// A whole number of at least 3 with optional blanks around it, as the edge
// count of a polygon; no value otherwise. Very large counts give INT_MAX.
std::optional<int> ParseEdgeCount(std::string_view text);

}  // namespace tarvo::numbers
