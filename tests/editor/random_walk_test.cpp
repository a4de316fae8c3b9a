// Thousands of user actions chosen at random among what the window shows,
// checking after each one that the definition, the pane and the preview agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "editor_testing.h"

namespace tarvo::editor {
namespace {

using enum ControlId;

constexpr const char* kValidTexts[] = {"1", "2.5", "2,5", "0.001", "12.3456789", "100", " 7 ",
                                       "1e2", "3", "4", "30", "M\xC3\xBC"};
constexpr const char* kInvalidTexts[] = {"0",    "-0",   "-3",    "",   "abc", "5abc", "1.2.3", "1e39",
                                         "1e-50", "4.0", "97", "2", "  ", "  x  "};

void CheckInvariants(const testing::EditorFixture& f) {
  const definition::ToolDefinition& tool = f.editor.Tool();
  ASSERT_EQ(f.Window().Text(RTB_Tool), tool.Text());
  ASSERT_LE(tool.ElementCount, definition::ToolDefinition::kMaxElements);
  ASSERT_LE(tool.LineCount, definition::ToolDefinition::kMaxLines);
  int header = tool.LineCount;
  for (int i = 1; i <= tool.ElementCount; ++i) header -= tool.LinesPerElement[static_cast<std::size_t>(i)];
  ASSERT_TRUE(header == 1 || header == 3 || header == 4 || tool.LineCount + tool.ElementCount == 0) << header;
  const std::string& scene = f.files.Read("/d/Taster.wrl");
  int shapes = 0;
  for (const char* shape : {"\r\n# CYLINDER\r\n", "\r\n# CONE\r\n", "\r\n# SPHERE\r\n", "\r\n# DISK\r\n",
                            "\r\n# POLYGON\r\n"}) {
    for (std::size_t at = scene.find(shape); at != std::string::npos; at = scene.find(shape, at + 1)) ++shapes;
  }
  ASSERT_EQ(shapes, tool.ElementCount);
  ASSERT_TRUE(f.Window().IsUsable(f.Window().Focus()));
}

void Walk(unsigned seed, int steps) {
  SCOPED_TRACE("random walk seed " + std::to_string(seed));
  testing::EditorFixture f;
  // The engine's output is fixed by the standard, the mapping onto 0..n-1 our own (the
  // standard distributions differ between libraries): a seed means the same walk everywhere.
  std::mt19937 random(seed);
  int deepest = 0;
  const auto below = [&](std::size_t n) {
    return static_cast<std::size_t>((static_cast<std::uint64_t>(random()) * n) >> 32);
  };
  for (int step = 0; step < steps; ++step) {
    std::vector<ControlId> usable;
    for (const ControlRow& control : kControls) {
      if (control.Id != Cmd_Exit && f.Window().IsUsable(control.Id)) usable.push_back(control.Id);
    }
    if (f.Window().IsUsable(Cmd_Confirm) && below(3) == 0) {
      // A user who fills in every field before confirming.
      for (ControlId field : {Tb_Diam, Tb_Diam2, Tb_Height, Tb_LengthMin}) {
        if (f.Window().IsUsable(field)) f.editor.Type(field, kValidTexts[below(9)]);
      }
    }
    ControlId id = usable[below(usable.size())];
    // Discarding a tool is rare, so that tools grow deep.
    if ((id == Cmd_DelAll || id == Cmd_Export || id == Cmd_DelLast) && below(10) != 0) {
      id = usable[below(usable.size())];
    }
    const ControlKind kind = Row(id).Kind;
    if (kind == ControlKind::ComboBox && below(2) == 0) {
      f.editor.Pick(id, below(f.Window().State(id).Items.size()));
    } else if (kind == ControlKind::TextBox || kind == ControlKind::ComboBox) {
      f.editor.Type(id, below(5) == 0 ? kInvalidTexts[below(std::size(kInvalidTexts))]
                                      : kValidTexts[below(std::size(kValidTexts))]);
    } else {  // confirmations are what grows a tool: give them more weight
      f.editor.Click(below(3) == 0 && f.Window().IsUsable(Cmd_Confirm) ? Cmd_Confirm : id);
    }
    ASSERT_NO_FATAL_FAILURE(CheckInvariants(f)) << "after step " << step << " on " << Row(id).Name;
    deepest = std::max<int>(deepest, f.editor.Tool().ElementCount);
  }
  // The walk must get somewhere to mean anything.
  EXPECT_GE(deepest, 20);
}

TEST(RandomWalk, KeepsDefinitionPaneAndPreviewInStep) {
  const char* seed = std::getenv("TARVO_WALK_SEED");
  if (seed) return Walk(static_cast<unsigned>(std::strtoul(seed, nullptr, 10)), 20000);
  for (unsigned s : {1U, 2U, 3U, 4U, 5U}) Walk(s, 3000);
}

}  // namespace
}  // namespace tarvo::editor
