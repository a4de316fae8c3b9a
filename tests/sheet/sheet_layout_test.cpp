#include "sheet/sheet_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sheet/sheet_testing.h"

namespace tarvo::sheet {
namespace {

struct Sheet {
  ToolFigures Figures;
  SheetDrawing Drawing;
};

Sheet SheetOf(const std::string& block, const std::optional<ProbeProfile>& probe = std::nullopt) {
  const mesh::ToolSolids solids = mesh::ReadToolSolids(block);
  const std::vector<ElementProfile> profiles = ProfilesOf(solids.Solids);
  Sheet sheet{FiguresOf(profiles, {}, probe ? probe->Force : kDefaultForce), {}};
  SheetTitle title = TitleOfItem(solids.Item);
  title.Probe = probe;
  title.Date = "2026-12-07";
  title.Version = "0.1.0";
  sheet.Drawing = LayOutSheet(profiles, sheet.Figures, title);
  return sheet;
}

bool HasText(const SheetDrawing& d, const std::string& text, bool warning = false) {
  return std::any_of(d.Texts.begin(), d.Texts.end(),
                     [&](const SheetText& t) { return t.Text == text && t.Warning == warning; });
}

// No two texts meet, and every one stays inside the frame.
void ExpectTidy(const SheetDrawing& d) {
  for (const auto& [i, j] : OverlappingTexts(d)) ADD_FAILURE() << d.Texts[i].Text << " meets " << d.Texts[j].Text;
  for (const SheetText& t : d.Texts) {
    EXPECT_GE(t.Box.Left, 10) << t.Text;
    EXPECT_LE(t.Box.Left + t.Box.Width, 200) << t.Text;
    EXPECT_GE(t.Box.Top, 10) << t.Text;
    EXPECT_LE(t.Box.Top + t.Box.Height, 287) << t.Text;
  }
}

const std::string kTip = "ITEM:ST1 TARVO1\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\n";

struct Row {
  const char* Name;
  std::string Block;
  const char* Scale;
  std::vector<std::string> Texts;  // some that must be on the sheet
  bool Table;
};
void PrintTo(const Row& row, std::ostream* out) { *out << row.Name; }

const Row kRows[] = {
    {"ReadmeTip", kTip + "cylinder 0 0 0 0 0 -20 6\r\ncolor 255 0 0\r\nsphere 0 0 -20 3\r\n", "5:1",
     {"ST1", "TARVO1", "L = 20", "20", "\u00D86", "\u00D83", "Scale", "5:1", "TARVO Tools 0.1.0", "2026-12-07",
      "the stem is as wide as the ball: it touches a wall before the ball"},
     false},
    {"ConeWiderThanTheBall",
     kTip + "cylinder 0 0 0 0 0 -20 6\r\ncone 0 0 -20 6 0 0 -30 2\r\ncolor 255 0 0\r\nsphere 0 0 -30 4\r\n", "5:1",
     {"L = 30", "EWL = 5", "10", "\u00D82", "\u00D84", "5 mm"}, false},
    {"LongExtension", "ITEM:EX9 M3\r\ncylinder 0 0 0 0 0 -300 10\r\n", "1:2", {"L = 300", "300", "\u00D810"}, false},
    {"Hexagon", testing::PolygonTool("6", "5", "5"), "5:1", {"L = 10", "\u00D810"}, false},
    {"FiftyThinElements", testing::FiftyElementTip(), "5:1",
     {"L = 24.5", "0.5", "\u00D82.5", "50", "ball", "\u00D82"}, true},
};

class Layout : public ::testing::TestWithParam<Row> {};

TEST_P(Layout, KeepsItsTextsApartOnThePage) {
  const Row& row = GetParam();
  const Sheet sheet = SheetOf(row.Block);
  const SheetDrawing& d = sheet.Drawing;
  EXPECT_EQ(d.Scale, row.Scale);
  EXPECT_EQ(d.HeightsInTable, row.Table);
  for (const std::string& text : row.Texts) {
    EXPECT_TRUE(HasText(d, text)) << text;
  }
  ExpectTidy(d);
  // The ball's circle hangs L below the mounting face.
  if (sheet.Figures.Tip == mesh::Solid::Kind::Ball) {
    ASSERT_EQ(d.Circles.size(), 1u);
    EXPECT_DOUBLE_EQ(d.Circles[0].Centre.Y, d.MountingY + sheet.Figures.Length * d.Factor);
    EXPECT_DOUBLE_EQ(d.Circles[0].Radius, *sheet.Figures.TipDiameter / 2 * d.Factor);
  }
}

INSTANTIATE_TEST_SUITE_P(Tools, Layout, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.Name); });

// The fullest title block: a note, and both limits of the probe passed, each
// on its red line; a limit kept shows its margin and no red line.
TEST(Layout, ShowsTheProbesLimitsWithTheirMarginsAndEachPassedOneInRed) {
  const std::string block = kTip + "cylinder 0 0 0 0 0 -20 6\r\ncolor 255 0 0\r\nsphere 0 0 -20 3\r\n";
  const SheetDrawing over = SheetOf(block, ProbeProfile{"Head A", 0.3, 15.5, 4}).Drawing;
  ExpectTidy(over);
  EXPECT_TRUE(HasText(over, "Head A"));
  EXPECT_TRUE(HasText(over, "0.06 \u00B5m at 0.3 N"));
  EXPECT_TRUE(HasText(over, "length limit of 15.5 mm, 4.5 mm over; mass limit of 4 g, 0.52 g over"));
  EXPECT_TRUE(HasText(over, "over the probe's length limit of 15.5 mm by 4.5 mm", true));
  EXPECT_TRUE(HasText(over, "over the probe's mass limit of 4 g by 0.52 g", true));
  const SheetDrawing kept = SheetOf(block, ProbeProfile{"Head B", 0.1, 25, std::nullopt}).Drawing;
  EXPECT_TRUE(HasText(kept, "length limit of 25 mm, 5 mm to spare"));
  EXPECT_TRUE(std::none_of(kept.Texts.begin(), kept.Texts.end(), [](const SheetText& t) { return t.Warning; }));
  EXPECT_TRUE(HasText(SheetOf(block).Drawing, "none chosen"));
}

TEST(Layout, TakesTheLargestStandardScaleThatFits) {
  const std::tuple<double, double, const char*> cases[] = {
      {30, 6, "5:1"}, {36, 6, "2:1"}, {90, 6, "1:1"}, {200, 6, "1:2"}, {10, 50, "1:1"}, {1000, 6, "1:10"}};
  for (const auto& [height, width, expected] : cases) {
    const DrawingScale s = ChooseScale(height, width, 176, 80);
    EXPECT_EQ(std::to_string(s.Paper) + ":" + std::to_string(s.Tool), expected) << height << " x " << width;
  }
}

TEST(Layout, ReadsTheNameAndConnectionAsTheLibraryDoes) {
  const SheetTitle title = TitleOfItem("ITEM: EX1  M3\r\n");
  EXPECT_EQ(title.Name, "EX1");
  EXPECT_EQ(title.Connection, "M3");
  EXPECT_EQ(TitleOfItem("ITEM:Sonde \xE9 TARVO1").Name, "Sonde \u00E9");
}

}  // namespace
}  // namespace tarvo::sheet
