#include "definition/polygon_element.h"

#include <gtest/gtest.h>

#include "definition_testing.h"

namespace tarvo::definition {
namespace {

using testing::LinesFrom;
using Lines = std::vector<std::string>;

const numbers::NumberFormat kPoint{};

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

class PolygonTest : public ::testing::Test {
 protected:
  // Places an element of `height` below the previous one, as CONFIRM does.
  void Place(float height) {
    ++tool_.ElementCount;
    tool_.ElementTopZ = tool_.ElementCount == 1 ? 0.0F : tool_.ElementBottomZ;
    tool_.ElementBottomZ = tool_.ElementTopZ - height;
  }
  Lines Prism(int edges, double edge, float height) {
    const int first = tool_.LineCount + 1;
    Place(height);
    ConfirmPolygon(tool_, mesh_, {edges, edge, 0}, kPoint);
    return LinesFrom(tool_, first);
  }
  Lines TwoLevels(int edges, double upper, double lower, float height) {
    const int first = tool_.LineCount + 1;
    Place(height);
    ConfirmTwoLevelPolygon(tool_, mesh_, {edges, upper, lower}, kPoint);
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

}  // namespace
}  // namespace tarvo::definition
