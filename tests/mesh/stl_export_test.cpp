#include "mesh/stl_file.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <map>
#include <numbers>
#include <span>

#include "editor/editor_testing.h"

namespace tarvo::mesh {
namespace {

using std::numbers::pi;
const std::string kFile = "/d/tool.stl";

struct Solid { std::size_t Triangles; double Volume; };  // the volume of the exact solid the mesh stands for
struct Row { const char* Name; std::string Block; std::vector<Solid> Solids; Vec3 Low, High; };
void PrintTo(const Row& row, std::ostream* out) { *out << row.Name; }

Vec3 Min(Vec3 a, Vec3 b) { return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::min(a.Z, b.Z)}; }
Vec3 Max(Vec3 a, Vec3 b) { return {std::max(a.X, b.X), std::max(a.Y, b.Y), std::max(a.Z, b.Z)}; }
double Frustum(double h, double r1, double r2) { return pi * h / 3 * (r1 * r1 + r1 * r2 + r2 * r2); }
double Ball(double r) { return 4 * pi / 3 * r * r * r; }
double Polygon(int n, double edge) { return n * edge * edge / (4 * std::tan(pi / n)); }

// A polygonal tool as the editor writes it: a cylinder, a 30-edge prism, a 7-edge two-level polygon.
std::string PolygonalTool() {
  using enum editor::ControlId;
  editor::testing::EditorFixture f;
  f.StartTool(Ob_Polyg);
  f.Confirm({{Tb_Height, "5"}, {Tb_Diam, "20"}});
  f.editor.Click(Ob_Cone);
  f.Confirm({{Cb_Edges, "30"}, {Tb_Diam2, "2"}, {Tb_Height, "10"}});
  f.editor.Click(Ob_Sphere);
  f.Confirm({{Cb_Edges, "7"}, {Tb_Diam2, "2"}, {Tb_LengthMin, "1"}, {Tb_Height, "5"}});
  return f.editor.Tool().Text();
}

const Row kRows[] = {
    {"Cylinder", "cylinder 0 0 0 0 0 -20 6", {{256, Frustum(20, 3, 3)}}, {-3, -3, -20}, {3, 3, 0}},
    {"Cone", "cone 0 0 -20 6 0 0 -25 2.5", {{256, Frustum(5, 3, 1.25)}}, {-3, -3, -25}, {3, 3, -20}},
    {"ConeToAPoint", "cone 0 0 0 4 0 0 -3 0", {{128, Frustum(3, 2, 0)}}, {-2, -2, -3}, {2, 2, 0}},
    {"Ball", "sphere 0 0 -20 3", {{3968, Ball(1.5)}}, {-1.5, -1.5, -21.5}, {1.5, 1.5, -18.5}},
    {"Disk", "cilinder 0 0 -10.1 0 0 -12.1000003814697 12", {{256, Frustum(2, 6, 6)}}, {-6, -6, -12.1}, {6, 6, -10.1}},
    {"CommaLocale", "cylinder 0 0 0 0 0 -10,5 6,5", {{256, Frustum(10.5, 3.25, 3.25)}}, {-3.25, -3.25, -10.5}, {3.25, 3.25, 0}},
    {"AcrossTheAxis", "cylinder 0 0 0 10 0 0 2", {{256, Frustum(10, 1, 1)}}, {0, -1, -1}, {10, 1, 1}},
    {"PolygonalTool", PolygonalTool(), {{256, Frustum(5, 10, 10)}, {116, 10 * Polygon(30, 2)},
      {24, 5.0 / 3 * (Polygon(7, 2) + Polygon(7, 1) + std::sqrt(Polygon(7, 2) * Polygon(7, 1)))}},
     {-10, -10, -20}, {10, 10, 0}},
};

struct StlTriangle { Vec3 Normal; Triangle Corners; };

// The triangles of a binary STL, read independently of the writer.
std::vector<StlTriangle> ReadStl(const std::string& bytes) {
  const auto word = [&](std::size_t at) {  // little-endian
    std::uint32_t w = 0;
    for (int i = 3; i >= 0; --i) w = w << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return w;
  };
  const auto real = [&](std::size_t at) { return std::bit_cast<float>(word(at)); };
  const auto vec = [&](std::size_t at) { return Vec3{real(at), real(at + 4), real(at + 8)}; };
  EXPECT_EQ(bytes.size(), 84 + 50 * word(80));
  std::vector<StlTriangle> triangles;
  for (std::size_t at = 84; at + 50 <= bytes.size(); at += 50) {
    triangles.push_back({vec(at), {vec(at + 12), vec(at + 24), vec(at + 36)}});
    EXPECT_EQ(word(at + 46) >> 16, 0U);  // the attribute
  }
  return triangles;
}

void CheckSolid(std::span<const StlTriangle> triangles, const Solid& solid) {
  std::map<std::array<double, 6>, int> edges;  // directed edges: from, to
  Vec3 inside;  // an inner point of the convex solid
  double volume = 0;
  for (const auto& [normal, c] : triangles) {
    for (int k = 0; k < 3; ++k) ++edges[{c[k].X, c[k].Y, c[k].Z, c[(k + 1) % 3].X, c[(k + 1) % 3].Y, c[(k + 1) % 3].Z}];
    inside = inside + (1.0 / 3 / static_cast<double>(triangles.size())) * (c[0] + c[1] + c[2]);
    volume += Dot(c[0], Cross(c[1], c[2])) / 6;  // the signed volume of the cone from the origin
  }
  int unpaired = 0;  // a closed, consistently wound mesh holds each edge once each way
  for (const auto& [e, n] : edges) unpaired += n != 1 || !edges.contains({e[3], e[4], e[5], e[0], e[1], e[2]});
  EXPECT_EQ(unpaired, 0);
  int inward = 0;
  for (const auto& [normal, c] : triangles) {
    inward += !(Dot(normal, (1.0 / 3) * (c[0] + c[1] + c[2]) - inside) > 0 &&
                Dot(normal, Cross(c[1] - c[0], c[2] - c[0])) > 0 && std::abs(Length(normal) - 1) < 1e-6);
  }
  EXPECT_EQ(inward, 0);
  EXPECT_NEAR(volume / solid.Volume, 1, 0.005);
}

class StlExportTest : public ::testing::TestWithParam<Row> {};

TEST_P(StlExportTest, EveryElementIsAClosedOutwardSolid) {
  const Row& row = GetParam();
  testing::MemoryFileSystem files;
  ASSERT_TRUE(ExportStl(files, kFile, row.Block).IsWritten());
  const std::vector<StlTriangle> triangles = ReadStl(files.Read(kFile));
  std::size_t first = 0;
  for (const Solid& solid : row.Solids) {
    SCOPED_TRACE("the solid from triangle " + std::to_string(first));
    ASSERT_LE(first + solid.Triangles, triangles.size());
    CheckSolid(std::span(triangles).subspan(first, solid.Triangles), solid);
    first += solid.Triangles;
  }
  EXPECT_EQ(first, triangles.size());
  Vec3 low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
  for (const auto& t : triangles) for (const Vec3& c : t.Corners) low = Min(low, c), high = Max(high, c);
  EXPECT_LT(Length(low - row.Low) + Length(high - row.High), 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Tools, StlExportTest, ::testing::ValuesIn(kRows), [](const auto& info) { return info.param.Name; });

TEST(StlExportTest, WritesNothingForAToolItCannotExport) {
  testing::MemoryFileSystem files;
  EXPECT_EQ(ExportStl(files, kFile, "ITEM:T TARVO1\ncolor 142 142 142\n").Message,
            "The tool has no element to export as STL.");
  for (const std::string line : {"cylinder 0 0 0 0 0 -20", "cone 0 0 0 6 0 0 -5 a", "sphere 0 0 0 0",
                                 "cilinder 0 0 -5 0 0 -5 6", "cylinder 0 0 0 0 0 1e999 6", "face 4 0 0 0 1 0 0 1 1 0",
                                 "face 2 0 0 0 1 0 0"}) {
    EXPECT_EQ(ExportStl(files, kFile, "x\r\n" + line + "\r\n").Message,
              "The tool cannot be exported as STL: line 2: cannot read \"" + line + "\"");
  }
  EXPECT_FALSE(files.Has(kFile));
  files.FailingPaths.insert(kFile);
  const StlExport failed = ExportStl(files, kFile, "sphere 0 0 0 3");
  EXPECT_EQ(failed.Result, StlExport::Code::WriteFailed) << failed.Message;
  EXPECT_EQ(failed.Message, "The STL file was not written: /d/tool.stl: Is a directory");
}

}  // namespace
}  // namespace tarvo::mesh
