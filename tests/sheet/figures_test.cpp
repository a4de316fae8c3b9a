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
  double Bending;     // at 0.1 N, µm: 0.1 / E (Σ ∫ a² / I), E in GPa
  double Heat;        // µm/K: Σ α h / 1000
};
void PrintTo(const Row& row, std::ostream* out) { *out << row.Name; }

const std::string kTip = "ITEM:ST1 TARVO1\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\n";
const std::string kBall3 = "color 255 0 0\r\nsphere 0 0 -20 3\r\nhotspot 0 0 -20 0 0 1 3 3 ball\r\nendtip\r\n";

const Row kRows[] = {
    // The README's tip: the 6 wide stem reaches the wall before the 3 ball.
    {"ReadmeTip", kTip + "cylinder 0 0 0 0 0 -20 6\r\n" + kBall3, {},
     "L\t20\nEWL\t0\nD\t3\nds\t6\nlargest\t6\nelements\t2\nmass\t4.52\nbending\t0.02\nheat\t0.32\n",
     pi * 9 * 20 * kSteel + 4 * pi / 3 * 1.5 * 1.5 * 1.5 * kRuby,
     0.1 / 200 * 8000 / 3 / (pi * 1296 / 64), 16 * 20e-3},
    // A cone from 6 down to 2 above a ball of 4 is 4 wide halfway: EWL 5.
    {"ConeWiderThanTheBall",
     kTip + "cylinder 0 0 0 0 0 -20 6\r\ncone 0 0 -20 6 0 0 -30 2\r\ncolor 255 0 0\r\nsphere 0 0 -30 4\r\n", {},
     "L\t30\nEWL\t5\nD\t4\nds\t2\nlargest\t6\nelements\t3\nmass\t5.67\nbending\t0.08\nheat\t0.48\n",
     (pi * 9 * 20 + pi * 10 / 3 * (9 + 3 + 1)) * kSteel + 4 * pi / 3 * 8 * kRuby,
     0.1 / 200 * (26000 / 3.0 / (pi * 1296 / 64) + 4000 / (81 * pi)), 16 * 30e-3},
    // A stem exactly as wide as its disk; a disk is steel unless chosen.
    {"StemAsWideAsTheDisk", kTip + "cylinder 0 0 0 0 0 -10 4\r\ncolor 255 0 0\r\ncilinder 0 0 -10 0 0 -12 4\r\n", {},
     "L\t11\nEWL\t0\nD\t4\nds\t4\nlargest\t4\nelements\t2\nmass\t1.19\nbending\t0.02\nheat\t0.18\n", pi * 4 * 12 * kSteel,
     0.1 / 200 * (1331 - 1) / 3 / (4 * pi), 16 * 11e-3},
    {"ChosenMaterials", kTip + "cylinder 0 0 0 0 0 -10 4\r\ncolor 255 0 0\r\ncilinder 0 0 -10 0 0 -12 4\r\n",
     {Material::Carbide, Material::Ruby}, "L\t11\nEWL\t0\nD\t4\nds\t4\nlargest\t4\nelements\t2\nmass\t1.98\nbending\t0.01\nheat\t0.06\n",
     pi * 4 * 10 * kCarbide + pi * 4 * 2 * kRuby,
     0.1 / 620 * (1331 - 1) / 3 / (4 * pi), (5.5 * 10 + 5.8) * 1e-3},
    // No element of a slim stem reaches the ball's width: EWL is L.
    {"SlimStem", kTip + "cylinder 0 0 0 0 0 -20 2,5\r\n" + kBall3, {},
     "L\t20\nEWL\t20\nD\t3\nds\t2.5\nlargest\t3\nelements\t2\nmass\t0.83\nbending\t0.70\nheat\t0.32\n",
     pi * 1.5625 * 20 * kSteel + 4 * pi / 3 * 3.375 * kRuby,
     64 * 0.1 * 8000 / (3 * pi * 200 * 39.0625), 16 * 20e-3},
    {"Extension",
     "ITEM:EX1  M3\r\ncolor 142 142 142\r\nribcount 20\r\ncylinder 0 0 0 0 0 -30 10\r\nconnect 0 0 -30 0 0 1  M3\r\n"
     "cylinder 0 0 -30 0 0 -40 5\r\nconnect 0 0 -40 0 0 1  M3\r\n", {},
     "L\t40\nEWL\t-\nD\t-\nds\t-\nlargest\t10\nelements\t2\nmass\t20.17\nbending\t0.03\nheat\t0.64\n", pi * (25 * 30 + 6.25 * 10) * kSteel,
     0.1 / 200 * (21000 / (pi * 1e4 / 64) + 1000 / 3.0 / (pi * 625 / 64)), 16 * 40e-3},
    // Corners (±4.33, ±2.5) and (0, ±5): the rounded hexagon's area is 64.95.
    {"Hexagon", testing::PolygonTool("6", "5", "5"), {},
     "L\t10\nEWL\t-\nD\t-\nds\t-\nlargest\t10\nelements\t1\nmass\t5.13\nbending\t0.00\nheat\t0.16\n", 649.5 * kSteel,
     0.1 * 1000 / 3 / (200 * 64.951905283832898 * 125 / 24), 16 * 10e-3},
    // Squares of edge 10 over 6: 10/3 (100 + 36 + 60) mm³; 10√2 across the corners.
    {"TwoLevelPolygon", testing::PolygonTool("4", "10", "6"), {},
     "L\t10\nEWL\t-\nD\t-\nds\t-\nlargest\t14.1421\nelements\t1\nmass\t5.16\nbending\t0.00\nheat\t0.16\n", 10.0 / 3 * 196 * kSteel,
     0.1 * 2 / 3 / 200, 16 * 10e-3},
    // The user's guide's example: 64 F L³ / (3 π E d⁴).
    {"SteelStem", kTip + "cylinder 0 0 0 0 0 -20 2\r\n" + kBall3, {},
     "L\t20\nEWL\t20\nD\t3\nds\t2\nlargest\t3\nelements\t2\nmass\t0.55\nbending\t1.70\nheat\t0.32\n",
     pi * 20 * kSteel + 4 * pi / 3 * 3.375 * kRuby, 64 * 0.1 * 8000 / (3 * pi * 200 * 16), 16 * 20e-3},
    // The same in carbide: E 620 and α 5.5 instead of 200 and 16.
    {"CarbideStem", kTip + "cylinder 0 0 0 0 0 -20 2\r\n" + kBall3, {Material::Carbide, {}},
     "L\t20\nEWL\t20\nD\t3\nds\t2\nlargest\t3\nelements\t2\nmass\t1.00\nbending\t0.55\nheat\t0.11\n",
     pi * 20 * kCarbide + 4 * pi / 3 * 3.375 * kRuby, 64 * 0.1 * 8000 / (3 * pi * 620 * 16), 5.5 * 20e-3},
    // Ø3 × 10 then Ø1.5 × 15: levers 25 to 15, then 15 to 0; the Ø3 reaches the wall first.
    {"SteppedStem",
     kTip + "cylinder 0 0 0 0 0 -10 3\r\ncylinder 0 0 -10 0 0 -25 1,5\r\ncolor 255 0 0\r\nsphere 0 0 -25 2\r\n", {},
     "L\t25\nEWL\t15\nD\t2\nds\t1.5\nlargest\t3\nelements\t3\nmass\t0.78\nbending\t2.78\nheat\t0.40\n",
     (pi * 2.25 * 10 + pi * 0.5625 * 15) * kSteel + 4 * pi / 3 * kRuby,
     0.1 / 200 * ((15625 - 3375) / 3.0 / (pi * 81 / 64) + 3375 / 3.0 / (pi * 5.0625 / 64)), 16 * 25e-3},
    // A cone from Ø4 down to Ø2 over 20: d = 2 + a / 10, so with u = d
    // ∫ a² 64 / (π d⁴) da = 64000 / π ∫ (u - 2)² / u⁴ du from 2 to 4 = 64000 / (48 π).
    {"ConeStem", kTip + "cone 0 0 0 4 0 0 -20 2\r\n" + kBall3, {},
     "L\t20\nEWL\t10\nD\t3\nds\t2\nlargest\t4\nelements\t2\nmass\t1.21\nbending\t0.21\nheat\t0.32\n",
     pi * 20 / 3 * 7 * kSteel + 4 * pi / 3 * 3.375 * kRuby, 0.1 / 200 * 64000 / (48 * pi), 16 * 20e-3},
};

class Figures : public ::testing::TestWithParam<Row> {};

TEST_P(Figures, AreThoseWorkedOutByHand) {
  const Row& row = GetParam();
  std::string error;
  const std::optional<ToolFigures> figures = FiguresOfBlock(row.Block, row.Materials, &error);
  ASSERT_TRUE(figures) << error;
  EXPECT_EQ(FigureLines(*figures), row.Lines);
  EXPECT_NEAR(figures->Mass, row.Mass, 1e-9);
  EXPECT_NEAR(figures->Bending, row.Bending, 1e-9 * row.Bending);
  EXPECT_NEAR(figures->Heat, row.Heat, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Tools, Figures, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.Name); });

// A stem cut into k stacked pieces bends and grows like the whole one: a
// cylinder (one closed form) and a cone (one integral over changing widths).
TEST(Figures, BendingAndHeatDoNotChangeWhenAStemIsCut) {
  using Kind = mesh::Solid::Kind;
  const ElementProfile ball{Kind::Ball, 0.5 - 30, -0.5 - 30, 1, 1, pi / 6, 0, {}};
  for (const double lower : {2.0, 0.8}) {
    std::optional<ToolFigures> whole;
    for (int k = 1; k <= 6; ++k) {
      std::vector<ElementProfile> pieces;
      for (int i = 0; i < k; ++i) {
        const auto width = [&](int j) { return 2 + (lower - 2) * j / k; };
        pieces.push_back({lower == 2 ? Kind::Cylinder : Kind::Cone, -30.0 * i / k, -30.0 * (i + 1) / k, width(i),
                          width(i + 1), 0, 0, {}});
      }
      pieces.push_back(ball);
      const ToolFigures f = FiguresOf(pieces, {});
      if (!whole) whole = f;
      EXPECT_NEAR(f.Bending, whole->Bending, 1e-10 * whole->Bending) << k << " pieces";
      EXPECT_NEAR(f.Heat, whole->Heat, 1e-12) << k << " pieces";
    }
  }
}

// An element's own material (a part of a stack of tools) and the force.
TEST(Figures, BendingAndHeatTakeEachElementsMaterialAndTheForce) {
  std::vector<ElementProfile> stepped = ProfilesOf(mesh::ReadToolSolids(
      kTip + "cylinder 0 0 0 0 0 -10 3\r\ncylinder 0 0 -10 0 0 -25 1,5\r\ncolor 255 0 0\r\ncilinder 0 0 -25 0 0 -27 2\r\n")
                                                   .Solids);
  stepped[1].Stem = Material::Carbide;
  const ToolFigures f = FiguresOf(stepped, {Material::Titanium, Material::Zirconia}, 0.5);
  EXPECT_NEAR(f.Bending, 0.5 * (26 * 26 * 26 - 16 * 16 * 16) / 3 / (pi * 81 / 64) / 114 +
                             0.5 * (16 * 16 * 16 - 1) / 3 / (pi * 5.0625 / 64) / 620, 1e-9);
  EXPECT_NEAR(f.Heat, (8.6 * 10 + 5.5 * 15 + 10.5 * 1) * 1e-3, 1e-12);  // the disk's upper half: the tip's α
  EXPECT_EQ(f.Force, 0.5);
}

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
