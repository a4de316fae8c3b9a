#include "definition/polygon_element.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <string>
#include <vector>

#include "numbers/number_text.h"

namespace tarvo::definition {
namespace {

using numbers::CoordinateText;

// One level of the element: vertices 1..N, entry 0 repeating entry N, with
// their coordinate texts and the coordinates the preview draws.
struct Level {
  std::vector<double> X, Y;
  std::vector<std::string> XText, YText;
  std::vector<float> PreviewX, PreviewY;
};

struct Point {
  double X = 0;
  double Y = 0;
};

// The central angle of one edge, with the single-precision pi widened.
double AngleStep(int edges, float pi) {
  return ((360.0 / edges) / 180.0) * static_cast<double>(pi);
}

// The radius on which a chord of length `edge` subtends the angle `alpha`.
double Circumradius(double edge, double alpha) {
  return std::pow((std::pow(edge, 2.0) / 2) / (1 - std::cos(alpha)), 1.0 / 2);
}

// Vertex 1 at the angle alpha/2, each further vertex the previous one turned
// by +alpha. Repeated rotation, not a closed formula: the last digits of the
// coordinates depend on it.
template <typename Real>
void RotatedVertices(double radius, double alpha, int edges, std::vector<Real>& x,
                     std::vector<Real>& y) {
  x.assign(static_cast<std::size_t>(edges) + 1, 0);
  y.assign(static_cast<std::size_t>(edges) + 1, 0);
  const double x1 = radius * std::cos(alpha);
  const double y1 = radius * std::sin(alpha);
  x[1] = static_cast<Real>(x1 * std::cos(alpha / 2) + y1 * std::sin(alpha / 2));
  y[1] = static_cast<Real>(y1 * std::cos(alpha / 2) - x1 * std::sin(alpha / 2));
  for (int i = 2; i <= edges; ++i) {
    const double px = x[i - 1];
    const double py = y[i - 1];
    x[i] = static_cast<Real>(px * std::cos(-alpha) + py * std::sin(-alpha));
    y[i] = static_cast<Real>(py * std::cos(-alpha) - px * std::sin(-alpha));
  }
  x[0] = x[edges];
  y[0] = y[edges];
}

// The point (x, y) turned by +alpha/2: from vertex i-1 towards the middle of face i.
Point HalfTurned(double x, double y, double alpha) {
  return {x * std::cos(-alpha / 2) + y * std::sin(-alpha / 2),
          y * std::cos(-alpha / 2) - x * std::sin(-alpha / 2)};
}

// Where the ray from the axis through `towards` meets the line through the
// vertices (x0, y0) and (x1, y1). `Real` is the precision of the vertices and
// of the line's slope and intercept.
template <typename Real>
Point FootPoint(Real x0, Real y0, Real x1, Real y1, Point towards) {
  const Real dy = y0 - y1;
  const Real dx = x0 - x1;
  if (dy == 0) return {0, static_cast<double>(y1)};
  if (dx == 0) return {static_cast<double>(x1), 0};
  const double k = towards.Y / towards.X;
  const Real m = dx / dy;
  const Real c = x1 - m * y1;
  const double hx = c / (1 - m * k);
  return {hx, k * hx};
}

Level UpperLevel(const PolygonInput& input, double alpha, double edge) {
  Level level;
  RotatedVertices(Circumradius(edge, alpha), alpha, input.EdgeCount, level.X, level.Y);
  for (std::size_t i = 0; i < level.X.size(); ++i) {
    level.XText.push_back(CoordinateText(level.X[i]));
    level.YText.push_back(CoordinateText(level.Y[i]));
    // Deliberately narrowed: the preview keeps single-precision vertices.
    level.PreviewX.push_back(static_cast<float>(level.X[i]));
    level.PreviewY.push_back(static_cast<float>(level.Y[i]));
  }
  return level;
}

// A coordinate text read back as a number: a plain decimal with a point.
float ReadBack(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return static_cast<float>(value);  // the preview keeps single precision
}

// The two-level preview draws the vertices as their texts read back.
void PreviewFromTexts(Level& level) {
  for (std::size_t i = 0; i < level.X.size(); ++i) {
    level.PreviewX[i] = ReadBack(level.XText[i]);
    level.PreviewY[i] = ReadBack(level.YText[i]);
  }
}

// A line of words joined by single blanks.
std::string Words(std::initializer_list<std::string_view> words) {
  std::string line;
  line.reserve(160);
  for (std::string_view word : words) {
    if (!line.empty()) line += ' ';
    line += word;
  }
  return line;
}

std::string ConnectLine(Point point, float zm, double nx, double ny, double nz) {
  return Words({"connect", CoordinateText(point.X), CoordinateText(point.Y), CoordinateText(zm),
                CoordinateText(nx), CoordinateText(ny), CoordinateText(nz), "TARVO1"});
}

// The axial middle of the element, in single precision.
float MiddleZ(const ToolDefinition& tool) {
  return (tool.ElementBottomZ - tool.ElementTopZ) / 2.0F + tool.ElementTopZ;
}

void AddPreviewVertex(scene::PreviewMesh& mesh, const Level& level, int i, float z) {
  mesh.AddVertex(level.PreviewX[static_cast<std::size_t>(i)],
                 level.PreviewY[static_cast<std::size_t>(i)], z);
}

std::string CapLine(const Level& level, int edges, const std::string& z) {
  std::string line = "face " + numbers::IntegerText(edges);
  line.reserve(line.size() + static_cast<std::size_t>(edges) * 32);
  for (int j = 1; j <= edges; ++j) {
    for (std::string_view word : {std::string_view(level.XText[static_cast<std::size_t>(j)]),
                                  std::string_view(level.YText[static_cast<std::size_t>(j)]),
                                  std::string_view(z)}) {
      line += ' ';
      line += word;
    }
  }
  return line;
}

// Stores the element's 2N + 4 lines in their final order (solid, side faces,
// caps, axial connection, side connections) and adds its N + 2 preview faces.
void StoreElement(ToolDefinition& tool, scene::PreviewMesh& mesh, const Level& upper,
                  const Level& lower, const std::vector<std::string>& sideConnections,
                  const numbers::NumberFormat& format) {
  const int n = static_cast<int>(sideConnections.size());
  const std::string top = numbers::SingleText(tool.ElementTopZ, format.Separator());
  const std::string bottom = numbers::SingleText(tool.ElementBottomZ, format.Separator());
  tool.LinesPerElement[static_cast<std::size_t>(tool.ElementCount)] =
      static_cast<std::int16_t>(2 * n + 4);
  tool.StoreLine("solid " + numbers::IntegerText(2 * n));
  for (int i = 1; i <= n; ++i) {
    const auto previous = static_cast<std::size_t>(i - 1);
    const auto current = static_cast<std::size_t>(i);
    tool.StoreLine(Words({"face 4", upper.XText[previous], upper.YText[previous], top,
                          lower.XText[previous], lower.YText[previous], bottom, lower.XText[current],
                          lower.YText[current], bottom, upper.XText[current], upper.YText[current],
                          top}));
    mesh.BeginFace(4);
    AddPreviewVertex(mesh, upper, i - 1, tool.ElementTopZ);
    AddPreviewVertex(mesh, lower, i - 1, tool.ElementBottomZ);
    AddPreviewVertex(mesh, lower, i, tool.ElementBottomZ);
    AddPreviewVertex(mesh, upper, i, tool.ElementTopZ);
  }
  mesh.BeginFace(n);
  for (int j = 1; j <= n; ++j) AddPreviewVertex(mesh, upper, j, tool.ElementTopZ);
  mesh.BeginFace(n);
  for (int j = n; j >= 1; --j) AddPreviewVertex(mesh, lower, j, tool.ElementBottomZ);
  tool.StoreLine(CapLine(upper, n, top));
  tool.StoreLine(CapLine(lower, n, bottom));
  tool.StoreLine("connect 0 0 " + bottom + " 0 0 1 TARVO1");
  for (const std::string& line : sideConnections) tool.StoreLine(line);
}

}  // namespace

void ConfirmPolygon(ToolDefinition& tool, scene::PreviewMesh& mesh, const PolygonInput& input,
                    const numbers::NumberFormat& format) {
  const int n = input.EdgeCount;
  const double alpha = AngleStep(n, format.PiValue);
  const Level polygon = UpperLevel(input, alpha, input.UpperEdge);
  const float zm = MiddleZ(tool);
  std::vector<std::string> connections;
  for (int i = 1; i <= n; ++i) {
    const double x0 = polygon.X[static_cast<std::size_t>(i - 1)];
    const double y0 = polygon.Y[static_cast<std::size_t>(i - 1)];
    const Point middle = HalfTurned(x0, y0, alpha);
    const double r = std::pow(middle.X * middle.X + middle.Y * middle.Y, 0.5);
    const Point foot = FootPoint(x0, y0, polygon.X[static_cast<std::size_t>(i)],
                                 polygon.Y[static_cast<std::size_t>(i)], middle);
    // The unit vector from the face towards the axis.
    connections.push_back(ConnectLine(foot, zm, -middle.X / r, -middle.Y / r, 0.0));
  }
  StoreElement(tool, mesh, polygon, polygon, connections, format);
}

void ConfirmTwoLevelPolygon(ToolDefinition& tool, scene::PreviewMesh& mesh,
                            const PolygonInput& input, const numbers::NumberFormat& format) {
  const int n = input.EdgeCount;
  const double alpha = AngleStep(n, format.PiValue);
  Level upper = UpperLevel(input, alpha, input.UpperEdge);

  // The lower polygon in single precision, each step formed in double.
  std::vector<float> lowerX, lowerY;
  RotatedVertices(Circumradius(input.LowerEdge, alpha), alpha, n, lowerX, lowerY);
  Level lower;
  lower.X.assign(lowerX.begin(), lowerX.end());
  lower.Y.assign(lowerY.begin(), lowerY.end());
  for (std::size_t i = 0; i < lowerX.size(); ++i) {
    lower.XText.push_back(CoordinateText(lowerX[i]));
    lower.YText.push_back(CoordinateText(lowerY[i]));
  }
  lower.PreviewX.resize(lowerX.size());
  lower.PreviewY.resize(lowerX.size());
  PreviewFromTexts(upper);
  PreviewFromTexts(lower);

  const float zm = MiddleZ(tool);
  const double dz = tool.ElementBottomZ - tool.ElementTopZ;  // formed in single precision
  std::vector<std::string> connections;
  for (int i = 1; i <= n; ++i) {
    const auto previous = static_cast<std::size_t>(i - 1);
    const auto current = static_cast<std::size_t>(i);
    // The side face's normal: upper edge A crossed with B, from upper vertex
    // i-1 to lower vertex i; it points towards the axis as the element hangs down.
    const double ax = upper.X[current] - upper.X[previous];
    const double ay = upper.Y[current] - upper.Y[previous];
    const double az = 0;
    const double bx = lowerX[current] - upper.X[previous];
    const double by = lowerY[current] - upper.Y[previous];
    const double bz = dz;
    const double nx = ay * bz - az * by;
    const double ny = az * bx - ax * bz;
    const double nz = ax * by - ay * bx;
    const double length = std::pow((nx * nx + ny * ny) + nz * nz, 0.5);

    const Point upperFoot = FootPoint(upper.X[previous], upper.Y[previous], upper.X[current],
                                      upper.Y[current], HalfTurned(upper.X[previous], upper.Y[previous], alpha));
    const Point lowerFoot = FootPoint(lowerX[previous], lowerY[previous], lowerX[current],
                                      lowerY[current], HalfTurned(lowerX[previous], lowerY[previous], alpha));
    const Point middle{upperFoot.X + (lowerFoot.X - upperFoot.X) / 2,
                       upperFoot.Y + (lowerFoot.Y - upperFoot.Y) / 2};
    connections.push_back(ConnectLine(middle, zm, nx / length, ny / length, nz / length));
  }
  StoreElement(tool, mesh, upper, lower, connections, format);
}

std::vector<std::string> CapVertexTexts(int edges, double edge, bool lowerLevel, float pi) {
  const double alpha = AngleStep(edges, pi);
  std::vector<std::string> texts;
  texts.reserve(2 * static_cast<std::size_t>(edges));
  const auto add = [&](const auto& x, const auto& y) {
    for (std::size_t i = 1; i < x.size(); ++i) {
      texts.push_back(CoordinateText(x[i]));
      texts.push_back(CoordinateText(y[i]));
    }
  };
  if (lowerLevel) {
    std::vector<float> x, y;
    RotatedVertices(Circumradius(edge, alpha), alpha, edges, x, y);
    add(x, y);
  } else {
    std::vector<double> x, y;
    RotatedVertices(Circumradius(edge, alpha), alpha, edges, x, y);
    add(x, y);
  }
  return texts;
}

}  // namespace tarvo::definition
