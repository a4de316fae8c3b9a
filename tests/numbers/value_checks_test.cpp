#include "numbers/value_checks.h"

#include <gtest/gtest.h>

namespace tarvo::numbers {
namespace {

const NumberFormat kPoint{};
const NumberFormat kComma{true};

struct SpellingRow {
  const char* Name;
  const char* Text;
  bool Comma;
  const char* Message;  // empty when accepted
  const char* Rewritten;
};

class CheckSpellingTest : public ::testing::TestWithParam<SpellingRow> {};

TEST_P(CheckSpellingTest, ChecksAndRewritesOneField) {
  const SpellingRow& row = GetParam();
  FieldTexts texts{"", row.Text, "", ""};
  const ValueCheck check = CheckValues("Sphere", false, texts, row.Comma ? kComma : kPoint);
  EXPECT_EQ(check.Message, row.Message);
  EXPECT_EQ(check.ValuesInvalid, *row.Message != '\0');
  EXPECT_EQ(texts[1], row.Rewritten);
}

constexpr const char* kNumber = "Please insert a POSITIVE (>0) number for the DIAMETER";
constexpr const char* kValue = "Please insert a POSITIVE (>0) value for the DIAMETER";

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckSpellingTest,
    ::testing::Values(
        SpellingRow{"Plain", "20", false, "", "20"},
        SpellingRow{"TrailingZeros", "12.50", false, "", "12.5"},
        SpellingRow{"LeadingZeros", "007", false, "", "7"},
        SpellingRow{"Exponent", "1e2", false, "", "100"},
        SpellingRow{"SevenDigits", "3.14159265", false, "", "3.141593"},
        SpellingRow{"EightDigits", "12.3456789", false, "", "12.34568"},
        SpellingRow{"Blanks", " 4 ", false, "", "4"},
        SpellingRow{"CommaTypedInPointLocale", "2,5", false, "", "2.5"},
        SpellingRow{"PointTypedInCommaLocale", "2.5", true, "", "2,5"},
        SpellingRow{"Empty", "", false, kNumber, "0"},
        SpellingRow{"Letters", "5abc", false, kNumber, "0"},
        SpellingRow{"TwoPoints", "1.2.3", false, kNumber, "0"},
        SpellingRow{"GroupingPointLocale", "1,2.3", false, kNumber, "0"},
        SpellingRow{"GroupingCommaLocale", "1,2.3", true, kNumber, "0"},
        SpellingRow{"Zero", "0", false, kValue, "0"},
        SpellingRow{"ZeroFraction", "0.0", false, kValue, "0"},
        SpellingRow{"MinusZero", "-0", false, kValue, "0"},
        SpellingRow{"Negative", "-3", false, kValue, "0"},
        SpellingRow{"OverflowsSingle", "1e39", false, kNumber, "0"},
        SpellingRow{"OverflowsDouble", "1e400", false, kNumber, "0"},
        SpellingRow{"UnderflowsSingle", "1e-50", false, kValue, "0"},
        SpellingRow{"SmallestSingle", "1e-45", false, "", "1.401298E-45"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CheckValues, ExaminesTheKindsFieldsInOrder) {
  const auto labels = [](std::string_view kind, bool disk) {
    std::string joined;
    for (const FieldToCheck& row : FieldsToCheck(kind, disk)) joined += std::string(row.Label) + ";";
    return joined;
  };
  EXPECT_EQ(labels("Cyl", false), "HEIGHT;DIAMETER;");
  EXPECT_EQ(labels("Sphere", true), "HEIGHT;DIAMETER;");
  EXPECT_EQ(labels("Sphere", false), "DIAMETER;");
  EXPECT_EQ(labels("Cone", false), "HEIGHT;UPPER DIAMETER;LOWER DIAMETER;");
  EXPECT_EQ(labels("Polygon", false), "HEIGHT;POLYGON EDGE LENGTH;");
  EXPECT_EQ(labels("Complex", false), "HEIGHT;UPPER POLYGON EDGE;LOWER POLYGON EDGE;");
  EXPECT_EQ(labels("cyl", false), "");
  EXPECT_EQ(labels("", false), "");
}

TEST(CheckValues, StopsAtTheFirstBadFieldAndLeavesLaterOnesAsTyped) {
  FieldTexts texts{"05", "abc", "-1", "x"};  // Height, Diam, Diam2, LengthMin
  const ValueCheck check = CheckValues("Cone", false, texts, kPoint);
  EXPECT_TRUE(check.ValuesInvalid);
  EXPECT_EQ(check.InvalidField, NumericField::Diam);
  EXPECT_EQ(check.Message, "Please insert a POSITIVE (>0) number for the UPPER DIAMETER");
  EXPECT_EQ(texts, (FieldTexts{"5", "0", "-1", "x"}));
}

TEST(CheckValues, ABallIgnoresItsHiddenHeight) {
  FieldTexts texts{"garbage", "3.0", "", ""};
  const ValueCheck check = CheckValues("Sphere", false, texts, kPoint);
  EXPECT_FALSE(check.ValuesInvalid);
  EXPECT_EQ(texts, (FieldTexts{"garbage", "3", "", ""}));

  const ValueCheck disk = CheckValues("Sphere", true, texts, kPoint);
  EXPECT_EQ(disk.Message, "Please insert a POSITIVE (>0) number for the HEIGHT");
}

TEST(CheckValues, AllValidPassesAndRewritesEveryField) {
  FieldTexts texts{"10.10", "2,5", "0.75", "x"};
  const ValueCheck check = CheckValues("Cone", false, texts, kComma);
  EXPECT_FALSE(check.ValuesInvalid);
  EXPECT_FALSE(check.InvalidField.has_value());
  EXPECT_EQ(texts, (FieldTexts{"10,1", "2,5", "0,75", "x"}));
}

}  // namespace
}  // namespace tarvo::numbers
