#include "sheet/sheet_layout.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "definition/code_page.h"
#include "numbers/number_text.h"
#include "sheet/title_block.h"

namespace tarvo::sheet {
namespace {

using mesh::Solid;

// The view's room: the tool hangs from kViewTop on the axis kAxisX; the
// left dimensions lie left of it, the height chain or the table right of it.
constexpr double kViewTop = 30, kViewBottom = 202;
constexpr double kAxisX = 80, kViewHalfWidth = 40;
constexpr double kTableLeft = 136, kTableRight = 198;
constexpr double kDimensionText = 3;   // the size of dimension texts
constexpr double kArrow = 2.5, kArrowHalf = 0.6;
constexpr double kGap = 1;             // between a feature and its extension line

// Half the tool's width at height z, from the elements that span it.
double HalfWidthAt(const std::vector<ElementProfile>& elements, double z) {
  double width = 0;
  for (const ElementProfile& e : elements) {
    if (z > e.TopZ || z < e.BottomZ) continue;
    if (e.Type == Solid::Kind::Ball) {
      const double r = e.TopDiameter / 2, c = (e.TopZ + e.BottomZ) / 2;
      width = std::max(width, std::sqrt(std::max(0.0, r * r - (z - c) * (z - c))) * 2);
    } else if (e.TopZ > e.BottomZ) {
      const double part = (z - e.BottomZ) / (e.TopZ - e.BottomZ);
      width = std::max(width, e.BottomDiameter + part * (e.TopDiameter - e.BottomDiameter));
    }
  }
  return width / 2;
}

class Layout {
 public:
  Layout(SheetDrawing& drawing, const std::vector<ElementProfile>& elements) : d_(drawing), elements_(elements) {}

  double Y(double z) const { return d_.MountingY - z * d_.Factor; }
  double Factor() const { return d_.Factor; }
  double EdgeX(double z, int side) const { return d_.AxisX + side * HalfWidthAt(elements_, z) * d_.Factor; }

  void Line(PagePoint a, PagePoint b, Pen pen = Pen::Thin) { d_.Lines.push_back({{a, b}, pen, false, false}); }

  void Arrow(PagePoint tip, double dx, double dy) {  // (dx, dy): the unit direction it points in
    const PagePoint base{tip.X - dx * kArrow, tip.Y - dy * kArrow};
    d_.Arrows.push_back({tip, {base.X - dy * kArrowHalf, base.Y + dx * kArrowHalf},
                         {base.X + dy * kArrowHalf, base.Y - dx * kArrowHalf}});
  }

  // A vertical dimension at x between two heights of the tool, with its
  // extension lines from the outline on `side` (-1 left, 1 right) and its
  // text on the line's left, reading upwards, centred on the line (past its
  // ends when the line is shorter: the layout's check sees what it meets).
  void Vertical(double x, double zTop, double zBottom, int side, const std::string& text) {
    const double y1 = Y(zTop), y2 = Y(zBottom);
    for (const auto& [z, y] : {std::pair{zTop, y1}, std::pair{zBottom, y2}}) {
      Line({EdgeX(z, side) + side * kGap, y}, {x + side * 2, y});
    }
    const bool roomy = y2 - y1 >= 2 * kArrow + 1;
    Line({x, roomy ? y1 : y1 - kArrow - 2}, {x, roomy ? y2 : y2 + kArrow + 2});
    Arrow({x, y1}, 0, roomy ? -1 : 1);
    Arrow({x, y2}, 0, roomy ? 1 : -1);
    const double length = TextWidth(text, kDimensionText), thick = TextHeight(kDimensionText);
    d_.Texts.push_back({text, {x - 0.4 - thick, (y1 + y2 - length) / 2, thick, length}, kDimensionText, true, true});
  }

  // A diameter across the outline at height z, its text above the line;
  // `below` mm under that height with extension lines down to it.
  void Across(double z, double diameter, double below = 0) {
    const double half = diameter / 2 * d_.Factor, y = Y(z) + below;
    if (below > 0) {
      for (const int side : {-1, 1}) Line({d_.AxisX + side * half, Y(z) + kGap}, {d_.AxisX + side * half, y + 2});
    }
    const bool roomy = 2 * half >= 2 * kArrow + 1;
    Line({d_.AxisX - half - (roomy ? 0 : kArrow + 2), y}, {d_.AxisX + half + (roomy ? 0 : kArrow + 2), y});
    Arrow({d_.AxisX - half, y}, roomy ? -1 : 1, 0);
    Arrow({d_.AxisX + half, y}, roomy ? 1 : -1, 0);
    const std::string text = "\u00D8" + LengthText(diameter);
    const double width = TextWidth(text, kDimensionText), thick = TextHeight(kDimensionText);
    d_.Texts.push_back({text, {d_.AxisX - width / 2, y - 0.3 - thick, width, thick}, kDimensionText, false, true});
  }

 private:
  SheetDrawing& d_;
  const std::vector<ElementProfile>& elements_;
};

std::string TypeWord(const ElementProfile& e) {
  switch (e.Type) {
    case Solid::Kind::Cylinder: return "cylinder";
    case Solid::Kind::Cone: return "cone";
    case Solid::Kind::Ball: return "ball";
    case Solid::Kind::Disk: return "disk";
    case Solid::Kind::Polygon: return "polygon " + numbers::IntegerText(e.Edges);
  }
  return "";
}

// The silhouette: each element's outline, light filled, the ball's circle,
// and the centre line.
void AddView(SheetDrawing& d, const std::vector<ElementProfile>& elements, const Layout& at, double top,
             double bottom) {
  for (const ElementProfile& e : elements) {
    if (e.Type == Solid::Kind::Ball) {
      d.Circles.push_back({{d.AxisX, at.Y((e.TopZ + e.BottomZ) / 2)}, e.TopDiameter / 2 * d.Factor});
      continue;
    }
    const double t = e.TopDiameter / 2 * d.Factor, b = e.BottomDiameter / 2 * d.Factor;
    const double yt = at.Y(e.TopZ), yb = at.Y(e.BottomZ);
    d.Lines.push_back({{{d.AxisX - t, yt}, {d.AxisX + t, yt}, {d.AxisX + b, yb}, {d.AxisX - b, yb}},
                       Pen::Outline, true, true});
  }
  d.Lines.push_back({{{d.AxisX, at.Y(top) - 4}, {d.AxisX, at.Y(bottom) + 4}}, Pen::CentreLine, false, false});
}

// The ball's diameter below it, clear of the stem's dimensions above.
void BallDiameter(Layout& at, const ElementProfile& ball) {
  const double radius = ball.TopDiameter / 2;
  at.Across(ball.TopZ - radius, ball.TopDiameter, radius * at.Factor() + 6);
}

// Each element's height on the right, each diameter across the view.
void AddElementDimensions(SheetDrawing& d, const std::vector<ElementProfile>& elements, Layout& at,
                          double largest) {
  const double chainX = d.AxisX + largest / 2 * d.Factor + 12;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const ElementProfile& e = elements[i];
    if (e.Type == Solid::Kind::Ball) {
      BallDiameter(at, e);
      continue;
    }
    at.Vertical(chainX, e.TopZ, e.BottomZ, 1, LengthText(e.TopZ - e.BottomZ));
    if (e.TopDiameter == e.BottomDiameter) {
      at.Across((e.TopZ + e.BottomZ) / 2, e.TopDiameter);
      continue;
    }
    // A cone's two ends, each unless the neighbour there is as wide.
    const bool sameAbove = i > 0 && elements[i - 1].BottomDiameter == e.TopDiameter;
    const bool sameBelow = i + 1 < elements.size() && elements[i + 1].Type != Solid::Kind::Ball &&
                           elements[i + 1].TopDiameter == e.BottomDiameter;
    if (!sameAbove && e.TopDiameter > 0) at.Across(e.TopZ, e.TopDiameter);
    if (!sameBelow && e.BottomDiameter > 0) at.Across(e.BottomZ, e.BottomDiameter);
  }
}

std::string DiametersText(const ElementProfile& e) {
  if (e.TopDiameter == e.BottomDiameter) return "\u00D8" + LengthText(e.TopDiameter);
  return "\u00D8" + LengthText(e.TopDiameter) + " / " + LengthText(e.BottomDiameter);
}

// The table of the elements beside the view: number, type, height, Ø.
void AddElementTable(SheetDrawing& d, const std::vector<ElementProfile>& elements) {
  constexpr std::array<double, 5> kColumns = {kTableLeft, kTableLeft + 7, kTableLeft + 28, kTableLeft + 42,
                                              kTableRight};
  std::vector<std::array<std::string, 4>> rows = {{"No.", "type", "height", "\u00D8"}};
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const ElementProfile& e = elements[i];
    rows.push_back({numbers::IntegerText(static_cast<int>(i + 1)), TypeWord(e),
                    e.Type == Solid::Kind::Ball ? "-" : LengthText(e.TopZ - e.BottomZ), DiametersText(e)});
  }
  const double rowHeight = std::min(5.0, (kViewBottom - kViewTop) / static_cast<double>(rows.size()));
  double size = std::min(3.0, rowHeight / 1.25);
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < 4; ++c) {
      const double room = kColumns[c + 1] - kColumns[c] - 1;
      size = std::min(size, size * room / TextWidth(row[c], size));
    }
  }
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const double y = kViewTop + static_cast<double>(r) * rowHeight;
    for (std::size_t c = 0; c < 4; ++c) {
      d.Texts.push_back({rows[r][c], {kColumns[c], y, TextWidth(rows[r][c], size), TextHeight(size)}, size});
    }
    if (r < 2) d.Lines.push_back({{{kTableLeft, y + rowHeight - 0.2}, {kTableRight, y + rowHeight - 0.2}}});
  }
  d.HeightsInTable = true;
}

}  // namespace

double TextWidth(const std::string& text, double size) {
  double ems = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if ((c & 0xC0) == 0x80) continue;  // a UTF-8 continuation byte
    if (c >= 0x80) ems += 0.8;         // Ø, ³, →
    else if (c == 'M' || c == 'W' || c == 'm' || c == 'w') ems += 0.95;
    else if (c >= 'A' && c <= 'Z') ems += 0.75;
    else if (c == ' ' || c == '.' || c == ':' || c == 'i' || c == 'l' || c == 'j') ems += 0.3;
    else ems += 0.6;
  }
  return ems * size;
}

SheetTitle TitleOfItem(std::string_view itemLine) {
  SheetTitle title;
  std::string_view text = itemLine.substr(itemLine.starts_with("ITEM:") ? 5 : 0);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  const std::size_t blank = text.rfind(' ');
  std::string_view name = blank == std::string_view::npos ? text : text.substr(0, blank);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  title.Name = definition::FromWindows1252(name);
  if (blank != std::string_view::npos) title.Connection = definition::FromWindows1252(text.substr(blank + 1));
  return title;
}

DrawingScale ChooseScale(double height, double width, double roomHeight, double roomWidth) {
  constexpr std::array<DrawingScale, 9> kScales = {
      {{5, 1}, {2, 1}, {1, 1}, {1, 2}, {1, 5}, {1, 10}, {1, 20}, {1, 50}, {1, 100}}};
  for (const DrawingScale& scale : kScales) {
    if (height * scale.Factor() <= roomHeight && width * scale.Factor() <= roomWidth) return scale;
  }
  return kScales.back();
}

SheetDrawing LayOutSheet(const std::vector<ElementProfile>& elements, const ToolFigures& figures,
                         const SheetTitle& title) {
  double top = 0, bottom = 0;
  for (const ElementProfile& e : elements) {
    top = std::max(top, e.TopZ);
    bottom = std::min(bottom, e.BottomZ);
  }
  const DrawingScale scale = ChooseScale(top - bottom, figures.Largest, kViewBottom - kViewTop - 12, 2 * kViewHalfWidth);
  SheetDrawing d;
  d.Name = title.Name;
  d.Factor = scale.Factor();
  d.Scale = numbers::IntegerText(scale.Paper) + ":" + numbers::IntegerText(scale.Tool);
  d.AxisX = kAxisX;
  d.MountingY = kViewTop + top * d.Factor;
  Layout at(d, elements);
  d.Texts.push_back({"Tool data sheet", {14, 13, TextWidth("Tool data sheet", 5), TextHeight(5)}, 5});
  AddView(d, elements, at, top, bottom);
  if (!elements.empty()) {
    const double leftX = kAxisX - figures.Largest / 2 * d.Factor - 8;
    const double end = figures.Tip ? -figures.Length : bottom;
    at.Vertical(leftX, top, end, -1, "L = " + LengthText(figures.Length));
    if (figures.WorkingLength && *figures.WorkingLength > 0) {
      at.Vertical(leftX - 9, end + *figures.WorkingLength, end, -1, "EWL = " + LengthText(*figures.WorkingLength));
    }
  }
  // The heights and diameters where their texts keep apart, else the table.
  const SheetDrawing plain = d;
  AddElementDimensions(d, elements, at, figures.Largest);
  if (!OverlappingTexts(d).empty()) {
    d = plain;
    if (figures.Tip == Solid::Kind::Ball) BallDiameter(at, elements.back());
    if (figures.Tip == Solid::Kind::Disk) at.Across((elements.back().TopZ + elements.back().BottomZ) / 2, *figures.TipDiameter);
    AddElementTable(d, elements);
  }
  AddTitleBlock(d, figures, title);
  return d;
}

std::vector<std::pair<std::size_t, std::size_t>> OverlappingTexts(const SheetDrawing& drawing) {
  std::vector<std::pair<std::size_t, std::size_t>> pairs;
  for (std::size_t i = 0; i < drawing.Texts.size(); ++i) {
    for (std::size_t j = i + 1; j < drawing.Texts.size(); ++j) {
      if (drawing.Texts[i].Box.Overlaps(drawing.Texts[j].Box)) pairs.emplace_back(i, j);
    }
  }
  return pairs;
}

}  // namespace tarvo::sheet
