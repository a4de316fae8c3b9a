#include "sheet/tool_figures.h"

#include <gtest/gtest.h>

#include <numbers>

#include "numbers/number_text.h"
#include "sheet/sheet_testing.h"

namespace tarvo::sheet {
namespace {

using std::numbers::pi;
constexpr double kSteel = 7.9e-3, kRuby = 3.9e-3, kCarbide = 15.0e-3;  // g/mm³

struct Row {
  const char* Name;
  std::string Block;
  MaterialChoice Materials;
  const char* Lines;  // as `tarvo-library figures` prints them
  double Mass;        // worked out by hand, g
};
void PrintTo(const Row& row, std::ostream* out) { *out << row.Name; }

const std::string kTip = "ITEM:ST1 TARVO1\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\n";
const std::string kBall3 = "color 255 0 0\r\nsphere 0 0 -20 3\r\nhotspot 0 0 -20 0 0 1 3 3 ball\r\nendtip\r\n";

const Row kRows[] = {
    // The README's tip: the 6 wide stem reaches the wall before the 3 ball.
    {"ReadmeTip", kTip + "cylinder 0 0 0 0 0 -20 6\r\n" + kBall3, {},
     "L\t20\nEWL\t0\nD\t3\nds\t6\nlargest\t6\nelements\t2\nmass\t4.52\n",
     pi * 9 * 20 * kSteel + 4 * pi / 3 * 1.5 * 1.5 * 1.5 * kRuby},
    // A cone from 6 down to 2 above a ball of 4 is 4 wide halfway: EWL 5.
    {"ConeWiderThanTheBall",
     kTip + "cylinder 0 0 0 0 0 -20 6\r\ncone 0 0 -20 6 0 0 -30 2\r\ncolor 255 0 0\r\nsphere 0 0 -30 4\r\n", {},
     "L\t30\nEWL\t5\nD\t4\nds\t2\nlargest\t6\nelements\t3\nmass\t5.67\n",
     (pi * 9 * 20 + pi * 10 / 3 * (9 + 3 + 1)) * kSteel + 4 * pi / 3 * 8 * kRuby},
    // A stem exactly as wide as its disk; a disk is steel unless chosen.
    {"StemAsWideAsTheDisk", kTip + "cylinder 0 0 0 0 0 -10 4\r\ncolor 255 0 0\r\ncilinder 0 0 -10 0 0 -12 4\r\n", {},
     "L\t11\nEWL\t0\nD\t4\nds\t4\nlargest\t4\nelements\t2\nmass\t1.19\n", pi * 4 * 12 * kSteel},
    {"ChosenMaterials", kTip + "cylinder 0 0 0 0 0 -10 4\r\ncolor 255 0 0\r\ncilinder 0 0 -10 0 0 -12 4\r\n",
     {Material::Carbide, Material::Ruby}, "L\t11\nEWL\t0\nD\t4\nds\t4\nlargest\t4\nelements\t2\nmass\t1.98\n",
     pi * 4 * 10 * kCarbide + pi * 4 * 2 * kRuby},
    // No element of a slim stem reaches the ball's width: EWL is L.
    {"SlimStem", kTip + "cylinder 0 0 0 0 0 -20 2,5\r\n" + kBall3, {},
     "L\t20\nEWL\t20\nD\t3\nds\t2.5\nlargest\t3\nelements\t2\nmass\t0.83\n",
     pi * 1.5625 * 20 * kSteel + 4 * pi / 3 * 3.375 * kRuby},
    {"Extension",
     "ITEM:EX1  M3\r\ncolor 142 142 142\r\nribcount 20\r\ncylinder 0 0 0 0 0 -30 10\r\nconnect 0 0 -30 0 0 1  M3\r\n"
     "cylinder 0 0 -30 0 0 -40 5\r\nconnect 0 0 -40 0 0 1  M3\r\n", {},
     "L\t40\nEWL\t-\nD\t-\nds\t-\nlargest\t10\nelements\t2\nmass\t20.17\n", pi * (25 * 30 + 6.25 * 10) * kSteel},
    // Corners (±4.33, ±2.5) and (0, ±5): the rounded hexagon's area is 64.95.
    {"Hexagon", testing::PolygonTool("6", "5", "5"), {},
     "L\t10\nEWL\t-\nD\t-\nds\t-\nlargest\t10\nelements\t1\nmass\t5.13\n", 649.5 * kSteel},
    // Squares of edge 10 over 6: 10/3 (100 + 36 + 60) mm³; 10√2 across the corners.
    {"TwoLevelPolygon", testing::PolygonTool("4", "10", "6"), {},
     "L\t10\nEWL\t-\nD\t-\nds\t-\nlargest\t14.1421\nelements\t1\nmass\t5.16\n", 10.0 / 3 * 196 * kSteel},
};

class Figures : public ::testing::TestWithParam<Row> {};

TEST_P(Figures, AreThoseWorkedOutByHand) {
  const Row& row = GetParam();
  std::string error;
  const std::optional<ToolFigures> figures = FiguresOfBlock(row.Block, row.Materials, &error);
  ASSERT_TRUE(figures) << error;
  EXPECT_EQ(FigureLines(*figures), row.Lines);
  EXPECT_NEAR(figures->Mass, row.Mass, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Tools, Figures, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Figures, OfNoElementOrAnUnreadableLineAreNone) {
  std::string error;
  EXPECT_FALSE(FiguresOfBlock(kTip, {}, &error));
  EXPECT_EQ(error, "the tool has no element");
  EXPECT_FALSE(FiguresOfBlock(kTip + "cylinder 0 0 0 0 0 x 6\r\n", {}, &error));
  EXPECT_EQ(error, "line 5: cannot read \"cylinder 0 0 0 0 0 x 6\"");
}

TEST(Figures, MaterialsAreNamedByTheirWords) {
  for (const MaterialData& m : AllMaterials()) EXPECT_EQ(MaterialNamed(m.Key), m.Id);
  EXPECT_EQ(DataOf(Material::SiliconNitride).Key, "silicon-nitride");
  EXPECT_FALSE(MaterialNamed("gold"));
}

TEST(Figures, TextsRoundToTheirDecimals) {
  EXPECT_EQ(numbers::FigureText(12.34565, 4), "12.3456");  // 12.3456499999... in binary
  EXPECT_EQ(numbers::FigureText(-0.00001, 4), "0");
  EXPECT_EQ(numbers::FigureText(2.5, 4, ','), "2,5");
  EXPECT_EQ(numbers::FixedText(4.5, 2), "4.50");
  EXPECT_EQ(numbers::DateText(2026, 3, 7), "2026-03-07");
}

}  // namespace
}  // namespace tarvo::sheet
