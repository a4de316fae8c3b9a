#include "numbers/value_checks.h"

#include <gtest/gtest.h>

namespace tarvo::numbers {
namespace {

const NumberFormat kPoint{};
const NumberFormat kComma{true};

constexpr const char* kNumber = "Please insert a POSITIVE (>0) number for the DIAMETER";
constexpr const char* kValue = "Please insert a POSITIVE (>0) value for the DIAMETER";

// One field: accepted texts are rewritten in the locale's own spelling, refused ones as "0".
TEST(CheckValues, ChecksAndRewritesOneField) {
  const struct {
    const char* Text;
    bool Comma;
    const char* Message;  // empty when accepted
    const char* Rewritten;
  } rows[] = {
      {"12.50", false, "", "12.5"},
      {"3.14159265", false, "", "3.141593"},
      {"2,5", false, "", "2.5"},  // either separator is the locale's own
      {"2.5", true, "", "2,5"},
      {" 4\t", false, "", "4"},  // blanks and tabs around a number, no other white space
      {"4\n", false, kNumber, "0"},
      {"\xC2\xA0" "4", false, kNumber, "0"},
      {"1,2.3", true, kNumber, "0"},
      {"0", false, kValue, "0"},
      {"-0", false, kValue, "0"},
      {"3.4028234e38", false, "", "3.402823E+38"},  // the largest single-precision value
      {"3.5e38", false, kNumber, "0"},              // beyond it
      {"1e-45", false, "", "1.401298E-45"},         // the smallest
      {"7e-46", false, kValue, "0"},                // zero in single precision
  };
  for (const auto& row : rows) {
    FieldTexts texts{"", row.Text, "", ""};
    const ValueCheck check = CheckValues("Sphere", false, texts, row.Comma ? kComma : kPoint);
    EXPECT_EQ(check.Message, row.Message) << row.Text;
    EXPECT_EQ(check.ValuesInvalid, *row.Message != '\0') << row.Text;
    EXPECT_EQ(texts[1], row.Rewritten) << row.Text;
  }
}

// Each kind examines its own fields in order; the first bad one names its
// label, and the fields after it stay as typed.
TEST(CheckValues, StopsAtTheFirstBadFieldOfTheKind) {
  const struct {
    const char* Kind;
    bool Disk;
    FieldTexts Texts;  // Height, Diam, Diam2, LengthMin
    const char* Label;
    FieldTexts Rewritten;
  } rows[] = {
      {"Cyl", false, {"05", "x", "-1", "x"}, "DIAMETER", {"5", "0", "-1", "x"}},
      {"Sphere", false, {"x", "3.0", "x", "x"}, "", {"x", "3", "x", "x"}},
      {"Cone", false, {"1", "2", "x", "x"}, "LOWER DIAMETER", {"1", "2", "0", "x"}},
      {"Complex", false, {"1", "x", "x", "x"}, "UPPER POLYGON EDGE", {"1", "x", "0", "x"}},
      {"cyl", false, {"x", "x", "x", "x"}, "", {"x", "x", "x", "x"}},
  };
  for (const auto& row : rows) {
    FieldTexts texts = row.Texts;
    const ValueCheck check = CheckValues(row.Kind, row.Disk, texts, kPoint);
    const std::string label = row.Label;
    EXPECT_EQ(check.Message, label.empty() ? "" : "Please insert a POSITIVE (>0) number for the " + label)
        << row.Kind;
    EXPECT_EQ(check.ValuesInvalid, !label.empty()) << row.Kind;
    EXPECT_EQ(texts, row.Rewritten) << row.Kind;
  }
}

}  // namespace
}  // namespace tarvo::numbers
