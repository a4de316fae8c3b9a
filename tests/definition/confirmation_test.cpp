#include "definition/confirmation.h"

#include <gtest/gtest.h>

#include "definition_testing.h"

namespace tarvo::definition {
namespace {

using testing::Element;
using testing::LinesFrom;
using Lines = std::vector<std::string>;

const numbers::NumberFormat kPoint{};
const numbers::NumberFormat kComma{true};

class ConfirmationTest : public ::testing::Test {
 protected:
  Shape Confirm(const ElementInput& input, const numbers::NumberFormat& format = kPoint) {
    const std::optional<Shape> shape = ConfirmElement(tool_, mesh_, input, format);
    EXPECT_TRUE(shape.has_value());
    return shape.value_or(Shape::Cylinder);
  }

  ToolDefinition tool_;
  scene::PreviewMesh mesh_;
};

TEST_F(ConfirmationTest, TipOfACylinderAndABall) {
  EXPECT_EQ(Confirm(Element("Cyl", "20", "6")), Shape::Cylinder);
  ElementInput ball = Element("Sphere", "0", "3");
  EXPECT_EQ(Confirm(ball), Shape::Sphere);
  EXPECT_EQ(LinesFrom(tool_, 1), (Lines{"cylinder 0 0 0 0 0 -20 6", "color 255 0 0",
                                        "sphere 0 0 -20 3", "hotspot 0 0 -20 0 0 1 3 3 ball"}));
  EXPECT_EQ(tool_.LinesPerElement[1], 1);
  EXPECT_EQ(tool_.LinesPerElement[2], 3);
  EXPECT_EQ(tool_.ElementCount, 2);
  EXPECT_EQ(tool_.ElementTopZ, -20.0F);
  EXPECT_EQ(tool_.ElementBottomZ, -20.0F);
}

TEST_F(ConfirmationTest, ABallAsTheFirstElementSitsAtZero) {
  Confirm(Element("Sphere", "0", "3"));
  EXPECT_EQ(LinesFrom(tool_, 1),
            (Lines{"color 255 0 0", "sphere 0 0 0 3", "hotspot 0 0 0 0 0 1 3 3 ball"}));
}

TEST_F(ConfirmationTest, ADiskTipTakesItsHeight) {
  Confirm(Element("Cyl", "20", "6"));
  ElementInput disk = Element("Sphere", "2", "12");
  disk.Disk = true;
  EXPECT_EQ(Confirm(disk), Shape::Disk);
  EXPECT_EQ(LinesFrom(tool_, 2), (Lines{"color 255 0 0", "cilinder 0 0 -20 0 0 -22 12",
                                        "hotspot 0 0 -21 0 0 1 12 2 ball"}));
  EXPECT_EQ(tool_.ElementBottomZ, -22.0F);
}

TEST_F(ConfirmationTest, ADiskBelowASinglePrecisionTopShowsItsDoubleDigits) {
  Confirm(Element("Cyl", "10.1", "6"));
  ElementInput disk = Element("Sphere", "2", "12");
  disk.Disk = true;
  Confirm(disk);
  EXPECT_EQ(LinesFrom(tool_, 2), (Lines{"color 255 0 0",
                                        "cilinder 0 0 -10.1 0 0 -12.1000003814697 12",
                                        "hotspot 0 0 -11.1000003814697 0 0 1 12 2 ball"}));
  EXPECT_EQ(tool_.ElementBottomZ, -12.1F);
}

TEST_F(ConfirmationTest, AConeIsOneLineWithBothDiameters) {
  Confirm(Element("Cyl", "20", "6"));
  ElementInput cone = Element("Cone", "5", "6", "2.5");
  cone.Extend = true;  // a cone never gets a connect line
  EXPECT_EQ(Confirm(cone), Shape::Cone);
  EXPECT_EQ(LinesFrom(tool_, 2), (Lines{"cone 0 0 -20 6 0 0 -25 2.5"}));
}

TEST_F(ConfirmationTest, ExtensionCylindersConnectWithTheTypeVerbatim) {
  ElementInput first = Element("Cyl", "30", "10");
  first.Extend = true;
  first.Extension = " M2";
  Confirm(first);
  ElementInput second = Element("Cyl", "5", "8");
  second.Extend = true;
  Confirm(second);
  EXPECT_EQ(LinesFrom(tool_, 1),
            (Lines{"cylinder 0 0 0 0 0 -30 10", "connect 0 0 -30 0 0 1  M2",
                   "cylinder 0 0 -30 0 0 -35 8", "connect 0 0 -35 0 0 1 TARVO1"}));
  EXPECT_EQ(tool_.LinesPerElement[1], 2);
}

TEST_F(ConfirmationTest, ACommaLocaleWritesCommas) {
  Confirm(Element("Cyl", "10,5", "6,5"), kComma);
  EXPECT_EQ(LinesFrom(tool_, 1), (Lines{"cylinder 0 0 0 0 0 -10,5 6,5"}));
}

TEST(ElementFootprint, CountsLinesFacesAndVertices) {
  ElementInput cylinder = testing::Element("Cyl", "1", "1");
  EXPECT_EQ(ElementFootprint(cylinder)->Lines, 1);
  cylinder.Extend = true;
  EXPECT_EQ(ElementFootprint(cylinder)->Lines, 2);
  ElementInput polygon = testing::Element("Complex", "1", "1");
  polygon.Edges = "30";
  const Footprint footprint = *ElementFootprint(polygon);
  EXPECT_EQ(footprint.Lines, 64);
  EXPECT_EQ(footprint.Faces, 32);
  EXPECT_EQ(footprint.Vertices, 180);
  polygon.Edges = "4.0";
  EXPECT_FALSE(ElementFootprint(polygon).has_value());
  EXPECT_FALSE(ElementFootprint(testing::Element("", "1", "1")).has_value());
}

TEST(Fits, RefusesTheFiftyFirstElementAndTheTwoHundredFirstLine) {
  ToolDefinition tool;
  scene::PreviewMesh mesh;
  tool.LineCount = 197;
  EXPECT_TRUE(Fits(tool, mesh, {3, 0, 0}));
  EXPECT_FALSE(Fits(tool, mesh, {4, 0, 0}));
  tool.LineCount = 0;
  tool.ElementCount = 49;
  EXPECT_TRUE(Fits(tool, mesh, {1, 0, 0}));
  tool.ElementCount = 50;
  EXPECT_FALSE(Fits(tool, mesh, {1, 0, 0}));
  tool.ElementCount = 0;
  mesh.FaceCount = 1990;
  EXPECT_FALSE(Fits(tool, mesh, {10, 11, 10}));
  mesh.FaceCount = 0;
  mesh.VertexCount = 4900;
  EXPECT_FALSE(Fits(tool, mesh, {10, 10, 101}));
}

TEST(ConfirmElement, AnUnknownKindChangesNothing) {
  ToolDefinition tool;
  scene::PreviewMesh mesh;
  EXPECT_FALSE(ConfirmElement(tool, mesh, testing::Element("Cylinder", "1", "1"), kPoint));
  EXPECT_EQ(tool.ElementCount, 0);
  EXPECT_EQ(tool.LineCount, 0);
}

}  // namespace
}  // namespace tarvo::definition
