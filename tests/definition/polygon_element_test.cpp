#include "definition/polygon_element.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>

#include "definition_testing.h"
#include "numbers/decimal_parser.h"
#include "numbers/number_text.h"

namespace tarvo::definition {
namespace {

using testing::LinesFrom;
using Lines = std::vector<std::string>;

const numbers::NumberFormat kPoint{};
const numbers::NumberFormat kComma{true};

const Lines kPrism = {
    "solid 8",
    "face 4 5 -5 0 5 -5 -10 5 5 -10 5 5 0",
    "face 4 5 5 0 5 5 -10 -5 5 -10 -5 5 0",
    "face 4 -5 5 0 -5 5 -10 -5 -5 -10 -5 -5 0",
    "face 4 -5 -5 0 -5 -5 -10 5 -5 -10 5 -5 0",
    "face 4 5 5 0 -5 5 0 -5 -5 0 5 -5 0",
    "face 4 5 5 -10 -5 5 -10 -5 -5 -10 5 -5 -10",
    "connect 0 0 -10 0 0 1 TARVO1",
    "connect 5 0 -5 -1 0 0 TARVO1",
    "connect 0 5 -5 0 -1 0 TARVO1",
    "connect -5 0 -5 1 0 0 TARVO1",
    "connect 0 -5 -5 0 1 0 TARVO1",
};

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

class PolygonTest : public ::testing::Test {
 protected:
  // Places an element of `height` below the previous one, as CONFIRM does.
  void Place(float height) {
    ++tool_.ElementCount;
    tool_.ElementTopZ = tool_.ElementCount == 1 ? 0.0F : tool_.ElementBottomZ;
    tool_.ElementBottomZ = tool_.ElementTopZ - height;
  }
  Lines Prism(int edges, double edge, float height, const numbers::NumberFormat& format = kPoint) {
    const int first = tool_.LineCount + 1;
    Place(height);
    ConfirmPolygon(tool_, mesh_, {edges, edge, 0}, format);
    return LinesFrom(tool_, first);
  }
  Lines TwoLevels(int edges, double upper, double lower, float height,
                  const numbers::NumberFormat& format = kPoint) {
    const int first = tool_.LineCount + 1;
    Place(height);
    ConfirmTwoLevelPolygon(tool_, mesh_, {edges, upper, lower}, format);
    return LinesFrom(tool_, first);
  }

  ToolDefinition tool_;
  scene::PreviewMesh mesh_;
};

TEST_F(PolygonTest, SquarePrism) {
  EXPECT_EQ(Prism(4, 10, 10), kPrism);
  EXPECT_EQ(tool_.LinesPerElement[1], 12);
  EXPECT_EQ(tool_.LineCount, 12);
  EXPECT_EQ(mesh_.FaceCount, 6);
  EXPECT_EQ(mesh_.VertexCount, 24);
  // Side faces first, then the top cap 1..N and the bottom cap N..1.
  EXPECT_EQ(mesh_.FaceFirstVertex[5], 17);
  EXPECT_EQ(mesh_.FaceVertexCount[5], 4);
  EXPECT_EQ(mesh_.VertexZ[17], 0.0F);
  EXPECT_EQ(mesh_.VertexZ[21], -10.0F);
  EXPECT_FLOAT_EQ(mesh_.VertexX[21], 5.0F);
  EXPECT_FLOAT_EQ(mesh_.VertexY[21], -5.0F);
}

TEST_F(PolygonTest, SquareTwoLevelPolygon) {
  EXPECT_EQ(TwoLevels(4, 10, 6, 10), (Lines{
                                          "solid 8",
                                          "face 4 5 -5 0 3 -3 -10 3 3 -10 5 5 0",
                                          "face 4 5 5 0 3 3 -10 -3 3 -10 -5 5 0",
                                          "face 4 -5 5 0 -3 3 -10 -3 -3 -10 -5 -5 0",
                                          "face 4 -5 -5 0 -3 -3 -10 3 -3 -10 5 -5 0",
                                          "face 4 5 5 0 -5 5 0 -5 -5 0 5 -5 0",
                                          "face 4 3 3 -10 -3 3 -10 -3 -3 -10 3 -3 -10",
                                          "connect 0 0 -10 0 0 1 TARVO1",
                                          "connect 4 0 -5 -0.981 0 0.196 TARVO1",
                                          "connect 0 4 -5 0 -0.981 0.196 TARVO1",
                                          "connect -4 0 -5 0.981 0 0.196 TARVO1",
                                          "connect 0 -4 -5 0 0.981 0.196 TARVO1",
                                      }));
}

TEST_F(PolygonTest, EqualEdgesReproduceThePrism) { EXPECT_EQ(TwoLevels(4, 10, 10, 10), kPrism); }

TEST_F(PolygonTest, TriangleConnectsAtTheApothem) {
  EXPECT_EQ(Prism(3, 10, 10)[7], "connect 2.887 0 -5 -1 0 0 TARVO1");
}

TEST_F(PolygonTest, FirstSideConnectionLiesOnPlusXForEveryEdgeCount) {
  for (int edges : {3, 5, 7, 16, 30}) {
    tool_ = {};
    const Lines lines = Prism(edges, 7, 4);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(2 * edges + 4));
    const std::vector<std::string> words = Words(lines[static_cast<std::size_t>(edges) + 4]);
    const double apothem = 7 / (2 * std::tan(std::numbers::pi / edges));
    EXPECT_NEAR(*numbers::ParseDecimal(words[1], '.'), apothem, 0.0015) << edges;
    EXPECT_EQ(words[2], "0") << edges;
    EXPECT_EQ(words[4] + " " + words[5] + " " + words[6], "-1 0 0") << edges;
    for (const std::string& line : lines) {
      for (const std::string& word : Words(line)) EXPECT_NE(word, "-0") << line;
    }
  }
}

TEST_F(PolygonTest, AWideningElementLeansDownwards) {
  const Lines lines = TwoLevels(6, 4, 9, 5);
  for (std::size_t i = 10; i < lines.size(); ++i) {
    const std::vector<std::string> words = Words(lines[i]);
    EXPECT_LT(*numbers::ParseDecimal(words[6], '.'), 0) << lines[i];
    // Still towards the axis: the direction opposes the point across it.
    const double dot = *numbers::ParseDecimal(words[1], '.') * *numbers::ParseDecimal(words[4], '.') +
                       *numbers::ParseDecimal(words[2], '.') * *numbers::ParseDecimal(words[5], '.');
    EXPECT_LT(dot, 0) << lines[i];
  }
}

TEST_F(PolygonTest, LowerCoordinatesHaveAtMostSevenDigits) {
  const Lines lines = TwoLevels(7, 1234.5, 2345.678, 10);
  const std::vector<std::string> bottomCap = Words(lines[8]);
  for (std::size_t i = 2; i < bottomCap.size(); ++i) {
    std::string digits;
    for (char c : bottomCap[i]) {
      if (c >= '0' && c <= '9') digits += c;
    }
    digits.erase(0, digits.find_first_not_of('0'));
    EXPECT_LE(digits.size(), 7U) << bottomCap[i];
  }
}

TEST_F(PolygonTest, CoordinatesKeepPointsInACommaLocale) {
  const Lines lines = TwoLevels(3, 10, 6, 2.5F, kComma);
  EXPECT_EQ(Words(lines[1])[4], "0");
  EXPECT_EQ(Words(lines[1])[7], "-2,5");
  EXPECT_EQ(lines[6], "connect 0 0 -2,5 0 0 1 TARVO1");
  EXPECT_EQ(Words(lines[7])[1], "2.309");   // halfway between the apothems 2.887 and 1.732
  EXPECT_EQ(Words(lines[7])[3], "-1.25");
  // The preview draws exactly the written coordinates.
  const std::vector<std::string> face = Words(lines[1]);
  for (int k = 0; k < 4; ++k) {
    const int v = k + 1;
    EXPECT_EQ(numbers::CoordinateText(mesh_.VertexX[v]), face[static_cast<std::size_t>(2 + 3 * k)]);
    EXPECT_EQ(numbers::CoordinateText(mesh_.VertexY[v]), face[static_cast<std::size_t>(3 + 3 * k)]);
    EXPECT_EQ(mesh_.VertexX[v], static_cast<float>(*numbers::ParseDecimal(face[2 + 3 * k], '.')));
  }
}

TEST_F(PolygonTest, ElementsStackAndTheMeshGrows) {
  Prism(4, 10, 10);
  const Lines second = Prism(4, 10, 5);
  EXPECT_EQ(second[1], "face 4 5 -5 -10 5 -5 -15 5 5 -15 5 5 -10");
  EXPECT_EQ(second[7], "connect 0 0 -15 0 0 1 TARVO1");
  EXPECT_EQ(second[8], "connect 5 0 -12.5 -1 0 0 TARVO1");
  EXPECT_EQ(tool_.LineCount, 24);
  EXPECT_EQ(mesh_.FaceCount, 12);
  EXPECT_EQ(mesh_.FaceFirstVertex[7], 25);
}

}  // namespace
}  // namespace tarvo::definition
