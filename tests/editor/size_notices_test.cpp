#include "editor/size_notices.h"

#include <gtest/gtest.h>

#include "editor/status_line.h"
#include "editor_testing.h"

namespace tarvo::editor {
namespace {

using enum ControlId;
using testing::EditorFixture;
using Fields = std::vector<std::pair<ControlId, const char*>>;

// A value the checks accept is written as typed; one beyond the sizes of any
// stylus is said in the status line, with the field's name and text.
TEST(SizeNotices, NameEachUnlikelyValueTheChecksAccepted) {
  struct Row {
    ControlId Kind;
    Fields Typed;
    const char* Line;  // the element's line in the definition
    std::vector<std::string> Notices;
  };
  const Row rows[] = {
      {Ob_Cylinder, {{Tb_Height, "10"}, {Tb_Diam, "1e30"}}, "cylinder 0 0 0 0 0 -10 1E+30",
       {"DIAMETER 1E+30 is larger than any stylus: check the value"}},
      {Ob_Cylinder, {{Tb_Height, "10000"}, {Tb_Diam, "0.001"}}, "cylinder 0 0 0 0 0 -10000 0.001", {}},
      {Ob_Cylinder, {{Tb_Height, "10001"}, {Tb_Diam, "0.0009"}}, "cylinder 0 0 0 0 0 -10001 0.0009",
       {"HEIGHT 10001 is larger than any stylus: check the value",
        "DIAMETER 0.0009 is smaller than any stylus: check the value"}},
      {Ob_Cone, {{Tb_Height, "5"}, {Tb_Diam, "6"}, {Tb_Diam2, "1e-5"}}, "cone 0 0 0 6 0 0 -5 1E-05",
       {"LOWER DIAMETER 1E-05 is smaller than any stylus: check the value"}},
      {Ob_Sphere, {{Tb_Diam, "2e4"}}, "sphere 0 0 0 20000",
       {"DIAMETER 20000 is larger than any stylus: check the value"}},
  };
  for (const Row& row : rows) {
    EditorFixture f;
    f.StartTool(Ob_Tip);
    f.editor.Click(row.Kind);
    for (const auto& [id, text] : row.Typed) f.editor.Type(id, text);
    f.editor.Click(Cmd_Confirm);
    EXPECT_TRUE(f.messages.Boxes.empty()) << row.Line;
    EXPECT_NE(f.editor.Tool().Text().find(std::string(row.Line) + "\r\n"), std::string::npos) << row.Line;
    EXPECT_EQ(SizeNotices(f.editor), row.Notices) << row.Line;
  }
}

// The notices last until the next command, typing aside; the change dialog's
// OK gives them too, a refused CONFIRM none.
TEST(SizeNotices, LastUntilTheNextCommand) {
  EditorFixture f;
  f.StartTool(Ob_Tip);
  f.Confirm({{Tb_Height, "10"}, {Tb_Diam, "1e30"}});
  const std::string notice = "DIAMETER 1E+30 is larger than any stylus: check the value";
  EXPECT_TRUE(StatusLine(f.editor).starts_with(notice + " | Elements 1 of 50 | Lines 5 of 200 | Length 10"))
      << StatusLine(f.editor);
  f.editor.Type(Tb_Diam, "3");
  EXPECT_EQ(SizeNotices(f.editor).size(), 1U);
  f.editor.Click(Ob_Cone);
  EXPECT_TRUE(SizeNotices(f.editor).empty());
  f.Confirm({{Tb_Height, "1e-9"}, {Tb_Diam, "-1"}});  // refused
  EXPECT_TRUE(SizeNotices(f.editor).empty());
  EXPECT_EQ(PreviewSizeNote(f.editor), "The preview cannot show an element of diameter 1E+30");

  ASSERT_TRUE(f.editor.OpenChange(1));
  f.editor.TypeInDialog(Tb_Height, "1e-9");
  ASSERT_TRUE(f.editor.DialogOk());
  EXPECT_EQ(SizeNotices(f.editor), (std::vector<std::string>{"HEIGHT 1E-09 is smaller than any stylus: check the value",
                                                             notice}));
  EXPECT_EQ(PreviewSizeNote(f.editor), "The preview cannot show an element of diameter 1E+30");
  ASSERT_TRUE(f.editor.Undo());
  EXPECT_TRUE(SizeNotices(f.editor).empty());
}

}  // namespace
}  // namespace tarvo::editor
