// The lines of polygonal elements; the square prism's lines and preview mesh
// are pinned byte for byte by the replay case polygonal_tool.
#include "definition/polygon_element.h"

#include <gtest/gtest.h>

#include "definition_testing.h"

namespace tarvo::definition {
namespace {

using Lines = std::vector<std::string>;

// The lines of a first element 10 high: a prism, or with `lower` a two-level polygon.
Lines PolygonLines(int edges, double upper, double lower = 0) {
  ToolDefinition tool;
  scene::PreviewMesh mesh;
  tool.ElementCount = 1;
  tool.ElementBottomZ = -10;
  lower == 0 ? ConfirmPolygon(tool, mesh, {edges, upper, 0}, {})
             : ConfirmTwoLevelPolygon(tool, mesh, {edges, upper, lower}, {});
  EXPECT_EQ(tool.LinesPerElement[1], 2 * edges + 4);
  EXPECT_EQ(mesh.FaceCount, edges + 2);
  return testing::LinesFrom(tool, 1);
}

TEST(Polygon, SquareTwoLevelPolygonSlantsItsSideConnections) {
  EXPECT_EQ(PolygonLines(4, 10, 6), (Lines{
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

TEST(Polygon, EqualEdgesOnTwoLevelsMakeThePrism) {
  for (int edges : {3, 4, 7, 30})
    EXPECT_EQ(PolygonLines(edges, 2.5, 2.5), PolygonLines(edges, 2.5)) << edges;
}

}  // namespace
}  // namespace tarvo::definition
