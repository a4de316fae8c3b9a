#include "editor/size_notices.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "numbers/decimal_parser.h"
#include "numbers/value_checks.h"

namespace tarvo::editor {
namespace {

const std::string& TextOf(const ElementEntry& element, numbers::NumericField field) {
  switch (field) {
    case numbers::NumericField::Height: return element.Height;
    case numbers::NumericField::Diam: return element.Diam;
    case numbers::NumericField::Diam2: return element.Diam2;
    case numbers::NumericField::LengthMin: return element.LengthMin;
  }
  return element.Height;
}

// The fields of an element as the value checks name them, with their texts and values.
struct FieldValue {
  const char* Label;
  const std::string* Text;
  float Value;
};

std::vector<FieldValue> FieldValues(const ElementEntry& element, const numbers::NumberFormat& format) {
  std::vector<FieldValue> values;
  for (const numbers::FieldToCheck& row : numbers::FieldsToCheck(element.Kind, element.Disk)) {
    const std::string& text = TextOf(element, row.Field);
    values.push_back({row.Label, &text, static_cast<float>(numbers::FieldNumber(text, format))});
  }
  return values;
}

// How many powers of ten a value lies beyond the likely sizes; 0 within them.
double Unlikeliness(float value) {
  if (value > kLargestLikelyValue) return std::log10(value / kLargestLikelyValue);
  if (value < kSmallestLikelyValue && value > 0) return std::log10(kSmallestLikelyValue / value);
  return 0;
}

}  // namespace

std::vector<std::string> SizeNotices(const Editor& editor) {
  std::vector<std::string> notices;
  const std::optional<ElementEntry> accepted = editor.Accepted();
  if (!accepted) return notices;
  for (const FieldValue& field : FieldValues(*accepted, editor.Format())) {
    const char* size = field.Value > kLargestLikelyValue   ? "larger"
                       : field.Value < kSmallestLikelyValue ? "smaller"
                                                            : nullptr;
    if (size != nullptr) {
      notices.push_back(std::string(field.Label) + " " + *field.Text + " is " + size +
                        " than any stylus: check the value");
    }
  }
  return notices;
}

std::string PreviewSizeNote(const Editor& editor) {
  std::string label, text;
  double furthest = -1;
  if (const std::optional<ToolUnderWay> tool = editor.Underway()) {
    for (const ElementEntry& element : tool->Elements) {
      for (const FieldValue& field : FieldValues(element, editor.Format())) {
        if (Unlikeliness(field.Value) <= furthest) continue;
        furthest = Unlikeliness(field.Value);
        label = field.Label;
        text = *field.Text;
      }
    }
  }
  if (label.empty()) return "The preview cannot show the tool at its size";
  std::transform(label.begin(), label.end(), label.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return "The preview cannot show an element of " + label + " " + text;
}

}  // namespace tarvo::editor
