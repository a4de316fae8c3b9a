#include "definition/confirmation.h"

#include <gtest/gtest.h>

#include "definition_testing.h"

namespace tarvo::definition {
namespace {

using testing::Element;
using testing::LinesFrom;
using Lines = std::vector<std::string>;

const numbers::NumberFormat kPoint{};

// Elements confirmed one after the other into an empty tool, with the lines
// and shapes they give.
TEST(ConfirmElement, StoresEachKindsLinesBelowThePreviousElement) {
  const auto disk = [](ElementInput input) {
    input.Disk = true;
    return input;
  };
  const auto extension = [](ElementInput input, std::string_view type) {
    input.Extend = true;
    input.Extension = type;
    return input;
  };
  const struct {
    std::vector<ElementInput> Elements;
    Lines Expected;
    std::vector<Shape> Shapes;
  } rows[] = {
      // A ball and its hotspot share the element's bottom, even with a stray height.
      {{Element("Sphere", "2", "3")},
       {"color 255 0 0", "sphere 0 0 -2 3", "hotspot 0 0 -2 0 0 1 3 3 ball"},
       {Shape::Sphere}},
      // The disk's end and hotspot in double from a single-precision top.
      {{Element("Cyl", "10.1", "6"), disk(Element("Sphere", "2", "12"))},
       {"cylinder 0 0 0 0 0 -10.1 6", "color 255 0 0",
        "cilinder 0 0 -10.1 0 0 -12.1000003814697 12",
        "hotspot 0 0 -11.1000003814697 0 0 1 12 2 ball"},
       {Shape::Cylinder, Shape::Disk}},
      // A cone never gets a connect line; an extension cylinder's type goes in verbatim.
      {{extension(Element("Cyl", "30", "10"), " M2"),
        extension(Element("Cone", "5", "6", "2.5"), "X"),
        extension(Element("Cyl", "5", "8"), "TARVO1")},
       {"cylinder 0 0 0 0 0 -30 10", "connect 0 0 -30 0 0 1  M2", "cone 0 0 -30 6 0 0 -35 2.5",
        "cylinder 0 0 -35 0 0 -40 8", "connect 0 0 -40 0 0 1 TARVO1"},
       {Shape::Cylinder, Shape::Cone, Shape::Cylinder}},
  };
  for (const auto& row : rows) {
    ToolDefinition tool;
    scene::PreviewMesh mesh;
    std::vector<Shape> shapes;
    for (const ElementInput& input : row.Elements) {
      shapes.push_back(ConfirmElement(tool, mesh, input, {}).value_or(Shape::Polygon));
    }
    EXPECT_EQ(LinesFrom(tool, 1), row.Expected);
    EXPECT_EQ(shapes, row.Shapes) << row.Expected[0];
    int lines = 0;
    for (int i = 1; i <= tool.ElementCount; ++i) lines += tool.LinesPerElement[static_cast<std::size_t>(i)];
    EXPECT_EQ(lines, tool.LineCount) << row.Expected[0];
  }
}

TEST(ElementFootprint, CountsLinesFacesAndVertices) {
  ElementInput cylinder = Element("Cyl", "1", "1"), polygon = Element("Complex", "1", "1");
  EXPECT_EQ(ElementFootprint(cylinder)->Lines, 1);
  cylinder.Extend = true;
  EXPECT_EQ(ElementFootprint(cylinder)->Lines, 2);
  polygon.Edges = "30";
  const Footprint footprint = *ElementFootprint(polygon);
  EXPECT_EQ(footprint.Lines, 64);
  EXPECT_EQ(footprint.Faces, 32);
  EXPECT_EQ(footprint.Vertices, 180);
  polygon.Edges = "4.0";
  EXPECT_FALSE(ElementFootprint(polygon).has_value());
  EXPECT_FALSE(ElementFootprint(Element("", "1", "1")).has_value());
}

TEST(Fits, RefusesTheFiftyFirstElementAndTheTwoHundredFirstLine) {
  const struct {
    int Lines, Elements, Faces, Vertices;
    Footprint Next;
    bool Fits;
  } rows[] = {{197, 0, 0, 0, {3, 0, 0}, true},      {197, 0, 0, 0, {4, 0, 0}, false},
              {0, 49, 0, 0, {1, 0, 0}, true},       {0, 50, 0, 0, {1, 0, 0}, false},
              {0, 0, 1990, 0, {10, 11, 10}, false}, {0, 0, 0, 4900, {10, 10, 101}, false}};
  for (const auto& row : rows) {
    ToolDefinition tool;
    scene::PreviewMesh mesh;
    tool.LineCount = row.Lines, tool.ElementCount = row.Elements;
    mesh.FaceCount = row.Faces, mesh.VertexCount = row.Vertices;
    EXPECT_EQ(Fits(tool, mesh, row.Next), row.Fits) << row.Lines << " " << row.Elements;
  }
}

TEST(ConfirmElement, AnUnknownKindChangesNothing) {
  ToolDefinition tool;
  scene::PreviewMesh mesh;
  EXPECT_FALSE(ConfirmElement(tool, mesh, Element("Cylinder", "1", "1"), kPoint));
  EXPECT_EQ(tool.ElementCount, 0);
  EXPECT_EQ(tool.LineCount, 0);
}

}  // namespace
}  // namespace tarvo::definition
