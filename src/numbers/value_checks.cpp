#include "numbers/value_checks.h"

#include <algorithm>
#include <cmath>

#include "numbers/decimal_parser.h"
#include "numbers/number_text.h"

namespace tarvo::numbers {
namespace {

constexpr std::string_view kNumberMessage = "Please insert a POSITIVE (>0) number for the ";
constexpr std::string_view kValueMessage = "Please insert a POSITIVE (>0) value for the ";

SpellingCheck Failed(std::string_view message, std::string_view label) {
  SpellingCheck check;
  check.ValuesInvalid = true;
  check.Message = std::string(message) + std::string(label);
  return check;
}

std::size_t Index(NumericField field) { return static_cast<std::size_t>(field); }

}  // namespace

SpellingCheck CheckSpelling(std::string_view text, std::string_view label, const NumberFormat& format) {
  // Both separators a user may type count as the editor's own.
  std::string normalised(text);
  if (format.CommaLocale) {
    std::replace(normalised.begin(), normalised.end(), '.', ',');
  } else {
    std::replace(normalised.begin(), normalised.end(), ',', '.');
  }
  const std::optional<double> number = ParseDecimal(normalised, format.Separator());
  if (!number) return Failed(kNumberMessage, label);
  if (*number <= 0) return Failed(kValueMessage, label);
  // Deliberately narrowed: a field holds a single-precision value.
  const auto value = static_cast<float>(*number);
  if (std::isinf(value)) return Failed(kNumberMessage, label);
  if (value == 0) return Failed(kValueMessage, label);
  SpellingCheck check;
  check.FieldValue = value;
  return check;
}

std::vector<FieldToCheck> FieldsToCheck(std::string_view elementKind, bool diskTicked) {
  using enum NumericField;
  if (elementKind == "Cyl" || (elementKind == "Sphere" && diskTicked)) {
    return {{Height, "HEIGHT"}, {Diam, "DIAMETER"}};
  }
  if (elementKind == "Cone") {
    return {{Height, "HEIGHT"}, {Diam, "UPPER DIAMETER"}, {Diam2, "LOWER DIAMETER"}};
  }
  if (elementKind == "Sphere") return {{Diam, "DIAMETER"}};
  if (elementKind == "Polygon") return {{Height, "HEIGHT"}, {Diam2, "POLYGON EDGE LENGTH"}};
  if (elementKind == "Complex") {
    return {{Height, "HEIGHT"}, {Diam2, "UPPER POLYGON EDGE"}, {LengthMin, "LOWER POLYGON EDGE"}};
  }
  return {};
}

ValueCheck CheckValues(std::string_view elementKind, bool diskTicked, FieldTexts& texts,
                       const NumberFormat& format) {
  ValueCheck result;
  for (const FieldToCheck& row : FieldsToCheck(elementKind, diskTicked)) {
    std::string& text = texts[Index(row.Field)];
    const SpellingCheck check = CheckSpelling(text, row.Label, format);
    text = SingleText(check.FieldValue, format.Separator());
    result.ValuesInvalid = check.ValuesInvalid;
    if (check.ValuesInvalid) {
      result.InvalidField = row.Field;
      result.Message = check.Message;
      break;
    }
  }
  return result;
}

}  // namespace tarvo::numbers
