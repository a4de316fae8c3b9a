#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numbers/number_format.h"

namespace tarvo::numbers {

// The numeric text boxes of Step 4.
enum class NumericField { Height, Diam, Diam2, LengthMin };

struct SpellingCheck {
  bool ValuesInvalid = false;
  float FieldValue = 0;      // 0 when the check failed
  std::string Message;       // empty when the check passed
};

// Checks one field's text under its label: the separator is normalised, the
// text must be a number, greater than zero and representable in single
// precision. On failure the message names the label.
SpellingCheck CheckSpelling(std::string_view text, std::string_view label, const NumberFormat& format);

struct FieldToCheck {
  NumericField Field;
  const char* Label;
};

// The fields an element kind needs, in the order they are examined.
std::vector<FieldToCheck> FieldsToCheck(std::string_view elementKind, bool diskTicked);

using FieldTexts = std::array<std::string, 4>;  // indexed by NumericField

struct ValueCheck {
  bool ValuesInvalid = false;
  std::optional<NumericField> InvalidField;
  std::string Message;
};

// Checks the fields of the element kind in order and rewrites each examined
// field with the text of its value ("0" when it failed); stops at the first
// failure, leaving later fields as typed.
ValueCheck CheckValues(std::string_view elementKind, bool diskTicked, FieldTexts& texts,
                       const NumberFormat& format);

}  // namespace tarvo::numbers
