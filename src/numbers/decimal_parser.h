#pragma once

#include <optional>
#include <string_view>

namespace tarvo::numbers {

// Parses the decimal grammar of the value checks, independent of the process
// locale: optional blanks around, an optional sign, digits with at most one
// `separator` (digits on at least one side of it), and an optional exponent
// ("E" or "e", an optional sign, digits). A value beyond double range gives
// an infinity or zero of the right sign. No value for any other text.
std::optional<double> ParseDecimal(std::string_view text, char separator);

// A whole number of at least 3 with optional blanks around it, as the edge
// count of a polygon; no value otherwise. Very large counts give INT_MAX.
std::optional<int> ParseEdgeCount(std::string_view text);

}  // namespace tarvo::numbers
