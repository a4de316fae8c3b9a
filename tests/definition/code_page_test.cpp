#include "definition/code_page.h"

#include <gtest/gtest.h>

namespace tarvo::definition {
namespace {

TEST(ToWindows1252, OneBytePerCharacter) {
  EXPECT_EQ(ToWindows1252("ITEM:ST1 TARVO1\r\n"), "ITEM:ST1 TARVO1\r\n");
  EXPECT_EQ(ToWindows1252("M\xC3\xBC" "ller"), "M\xFC" "ller");     // u with diaeresis
  EXPECT_EQ(ToWindows1252("\xE2\x82\xAC" "5"), "\x80" "5");          // euro sign
  EXPECT_EQ(ToWindows1252("\xC2\xA0"), "\xA0");                      // no-break space
  EXPECT_EQ(ToWindows1252("\xE2\x80\x94"), "\x97");                  // em dash
}

TEST(ToWindows1252, AnythingElseBecomesAQuestionMark) {
  EXPECT_EQ(ToWindows1252("\xCE\xA9"), "?");                   // Greek omega
  EXPECT_EQ(ToWindows1252("\xF0\x9F\x98\x80"), "?");           // an emoji, one character
  EXPECT_EQ(ToWindows1252("a\xFF" "b"), "a?b");                // not UTF-8
  EXPECT_EQ(ToWindows1252("\xC3"), "?");                       // cut short
  EXPECT_EQ(ToWindows1252("\xC0\xAF"), "??");                  // overlong
  EXPECT_EQ(ToWindows1252("\xED\xA0\x80"), "???");            // a UTF-16 surrogate
  EXPECT_EQ(ToWindows1252("\xC2\x81"), "?");                   // a C1 control without a byte
}

}  // namespace
}  // namespace tarvo::definition
