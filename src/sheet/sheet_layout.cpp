#include "sheet/sheet_layout.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "definition/code_page.h"
#include "numbers/number_text.h"
#include "sheet/prism_figures.h"
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
constexpr double kCentreLineGap = 0.8; // between a text and the centre line broken for it
constexpr double kBesideReach = 24;    // how far out a width's text may go beside the outline

// Where the segment a-b meets the box (its edges included): the segment
// clipped to the box's slabs in x and in y leaves a piece.
bool SegmentMeetsBox(PagePoint a, PagePoint b, const TextBox& box) {
  double from = 0, to = 1;
  const auto clip = [&](double start, double delta, double low, double high) {
    if (delta == 0) return start >= low && start <= high;
    double t1 = (low - start) / delta, t2 = (high - start) / delta;
    if (t1 > t2) std::swap(t1, t2);
    from = std::max(from, t1);
    to = std::min(to, t2);
    return from <= to;
  };
  return clip(a.X, b.X - a.X, box.Left, box.Left + box.Width) &&
         clip(a.Y, b.Y - a.Y, box.Top, box.Top + box.Height);
}

// A circle (the ball, drawn filled) meets the box when the box's point
// nearest the centre lies within the radius.
bool CircleMeetsBox(const SheetCircle& c, const TextBox& box) {
  const double nearX = std::clamp(c.Centre.X, box.Left, box.Left + box.Width);
  const double nearY = std::clamp(c.Centre.Y, box.Top, box.Top + box.Height);
  return std::hypot(nearX - c.Centre.X, nearY - c.Centre.Y) <= c.Radius;
}

bool LineMeetsBox(const SheetLine& line, const TextBox& box) {
  const std::vector<PagePoint>& p = line.Points;
  for (std::size_t i = 0; i + 1 < p.size(); ++i) {
    if (SegmentMeetsBox(p[i], p[i + 1], box)) return true;
  }
  return line.Closed && p.size() > 2 && SegmentMeetsBox(p.back(), p.front(), box);
}

// Whether a text in `box` would meet a text, a line or a circle already on
// the page; the centre line does not count, as it breaks for texts.
bool IsTaken(const SheetDrawing& d, const TextBox& box) {
  return std::any_of(d.Texts.begin(), d.Texts.end(), [&](const SheetText& t) { return t.Box.Overlaps(box); }) ||
         std::any_of(d.Lines.begin(), d.Lines.end(),
                     [&](const SheetLine& l) { return l.Style != Pen::CentreLine && LineMeetsBox(l, box); }) ||
         std::any_of(d.Circles.begin(), d.Circles.end(), [&](const SheetCircle& c) { return CircleMeetsBox(c, box); });
}

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
    // Centred on the line, else slid along it to the nearest free place.
    const double length = TextWidth(text, kDimensionText), thick = TextHeight(kDimensionText);
    const TextBox centred{x - 0.4 - thick, (y1 + y2 - length) / 2, thick, length};
    TextBox box = centred;
    for (int step = 1; step <= 40 && IsTaken(d_, box); ++step) {
      box.Top = centred.Top + (step % 2 ? 1 : -1) * ((step + 1) / 2) * 0.5;
    }
    if (IsTaken(d_, box)) box = centred;
    d_.Texts.push_back({text, box, kDimensionText, true, true});
  }

  // A width across the outline at height z, its text above the line, else
  // below it, else beside the outline over the line drawn on to it;
  // `below` mm under that height with extension lines down to it.
  void Across(double z, double diameter, double below = 0) { Across(z, diameter, "\u00D8" + LengthText(diameter), below); }
  void Across(double z, double diameter, const std::string& text, double below = 0) {
    const double half = diameter / 2 * d_.Factor, y = Y(z) + below;
    if (below > 0) {
      for (const int side : {-1, 1}) Line({d_.AxisX + side * half, Y(z) + kGap}, {d_.AxisX + side * half, y + 2});
    }
    const bool roomy = 2 * half >= 2 * kArrow + 1;
    Line({d_.AxisX - half - (roomy ? 0 : kArrow + 2), y}, {d_.AxisX + half + (roomy ? 0 : kArrow + 2), y});
    Arrow({d_.AxisX - half, y}, roomy ? -1 : 1, 0);
    Arrow({d_.AxisX + half, y}, roomy ? 1 : -1, 0);
    const double width = TextWidth(text, kDimensionText), thick = TextHeight(kDimensionText);
    // Beside the outline: nearest first, then further out, clear of a ball.
    const double outside = half + (roomy ? 1 : kArrow + 3);
    std::vector<TextBox> places = {{d_.AxisX - width / 2, y - 0.3 - thick, width, thick},
                                   {d_.AxisX - width / 2, y + 0.3, width, thick}};
    for (int side : {1, -1}) {
      for (double out = outside; out < outside + kBesideReach; out += 1) {
        places.push_back({side > 0 ? d_.AxisX + out : d_.AxisX - out - width, y - 0.3 - thick, width, thick});
      }
    }
    const auto place = std::find_if(places.begin(), places.end(), [&](const TextBox& box) { return !IsTaken(d_, box); });
    const TextBox shown = place == places.end() ? places.front() : *place;
    if (shown.Left > d_.AxisX + half) {  // the line runs on under the text
      Line({d_.AxisX + half, y}, {shown.Left + width, y});
    } else if (shown.Left + width < d_.AxisX - half) {
      Line({d_.AxisX - half, y}, {shown.Left, y});
    }
    d_.Texts.push_back({text, shown, kDimensionText, false, true});
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
// One width across the view: at height z, the width drawn, its text.
struct AcrossLabel {
  double Z, Width;
  std::string Text;
};

// The widths of the elements other than the ball: a cylinder's once, a
// cone's at each end unless the neighbour there is as wide, a prism's edges
// and flats (not a diameter) once or at each end.
std::vector<AcrossLabel> AcrossLabels(const std::vector<ElementProfile>& elements) {
  std::vector<AcrossLabel> labels;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const ElementProfile& e = elements[i];
    const double middle = (e.TopZ + e.BottomZ) / 2;
    if (e.Type == Solid::Kind::Ball) continue;
    if (e.Type == Solid::Kind::Polygon) {
      const auto prism = [&](double edge) { return PrismText(PrismOf(e.Edges, edge)); };
      if (e.BottomDiameter == e.TopDiameter) {
        labels.push_back({middle, e.TopDiameter, prism(e.TopEdge)});
      } else {
        labels.push_back({e.TopZ, e.TopDiameter, prism(e.TopEdge)});
        labels.push_back({e.BottomZ, e.BottomDiameter, prism(e.BottomEdge)});
      }
      continue;
    }
    const auto round = [](double diameter) { return "\u00D8" + LengthText(diameter); };
    if (e.TopDiameter == e.BottomDiameter) {
      labels.push_back({middle, e.TopDiameter, round(e.TopDiameter)});
      continue;
    }
    const bool sameAbove = i > 0 && elements[i - 1].BottomDiameter == e.TopDiameter;
    const bool sameBelow = i + 1 < elements.size() && elements[i + 1].Type != Solid::Kind::Ball &&
                           elements[i + 1].TopDiameter == e.BottomDiameter;
    if (!sameAbove && e.TopDiameter > 0) labels.push_back({e.TopZ, e.TopDiameter, round(e.TopDiameter)});
    if (!sameBelow && e.BottomDiameter > 0) labels.push_back({e.BottomZ, e.BottomDiameter, round(e.BottomDiameter)});
  }
  return labels;
}

// Each element's height on the right, each width across the view. The
// height chain keeps room, right of the widest element, for the text of a
// width too narrow to hold it, which goes beside the outline.
void AddElementDimensions(SheetDrawing& d, const std::vector<ElementProfile>& elements, Layout& at,
                          double largest) {
  const std::vector<AcrossLabel> labels = AcrossLabels(elements);
  const auto inBall = [&](double z) {
    return std::any_of(elements.begin(), elements.end(),
                       [&](const ElementProfile& e) { return e.Type == Solid::Kind::Ball && z <= e.TopZ && z >= e.BottomZ; });
  };
  double beside = 0;
  for (const AcrossLabel& label : labels) {
    const double width = TextWidth(label.Text, kDimensionText);
    if (width > label.Width * d.Factor || inBall(label.Z)) beside = std::max(beside, width);
  }
  const double chainX = d.AxisX + largest / 2 * d.Factor + std::max(12.0, beside + kArrow + 8);
  for (const ElementProfile& e : elements) {
    if (e.Type != Solid::Kind::Ball) at.Vertical(chainX, e.TopZ, e.BottomZ, 1, LengthText(e.TopZ - e.BottomZ));
  }
  for (const AcrossLabel& label : labels) at.Across(label.Z, label.Width, label.Text);
  for (const ElementProfile& e : elements) {
    if (e.Type == Solid::Kind::Ball) BallDiameter(at, e);
  }
}

std::string DiametersText(const ElementProfile& e) {
  if (e.Type == Solid::Kind::Polygon) {
    return PrismText(PrismOf(e.Edges, e.TopEdge), PrismOf(e.Edges, e.BottomEdge));
  }
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
    // The rules between the texts of two rows.
    const double rule = y + (TextHeight(size) + rowHeight) / 2;
    if (r < 2) d.Lines.push_back({{{kTableLeft, rule}, {kTableRight, rule}}});
  }
  d.HeightsInTable = true;
}

// The centre line with a gap wherever a text lies across it.
void BreakCentreLine(SheetDrawing& d) {
  const auto centre = std::find_if(d.Lines.begin(), d.Lines.end(), [](const SheetLine& l) { return l.Style == Pen::CentreLine; });
  if (centre == d.Lines.end()) return;
  const double x = centre->Points.front().X;
  std::vector<std::pair<double, double>> pieces = {{centre->Points.front().Y, centre->Points.back().Y}};
  for (const SheetText& t : d.Texts) {
    if (t.Box.Left > x || t.Box.Left + t.Box.Width < x) continue;
    const double gapTop = t.Box.Top - kCentreLineGap, gapBottom = t.Box.Top + t.Box.Height + kCentreLineGap;
    std::vector<std::pair<double, double>> kept;
    for (const auto& [from, to] : pieces) {
      if (gapTop > from) kept.emplace_back(from, std::min(to, gapTop));
      if (gapBottom < to) kept.emplace_back(std::max(from, gapBottom), to);
    }
    pieces = std::move(kept);
  }
  const SheetLine style = *centre;
  d.Lines.erase(centre);
  for (const auto& [from, to] : pieces) {
    if (to > from) d.Lines.push_back({{{x, from}, {x, to}}, style.Style, false, false});
  }
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
    // EWL first: L's text then keeps clear of EWL's extension lines.
    const double leftX = kAxisX - figures.Largest / 2 * d.Factor - 8;
    const double end = figures.Tip ? -figures.Length : bottom;
    if (figures.WorkingLength && *figures.WorkingLength > 0) {
      at.Vertical(leftX - 9, end + *figures.WorkingLength, end, -1, "EWL = " + LengthText(*figures.WorkingLength));
    }
    at.Vertical(leftX, top, end, -1, "L = " + LengthText(figures.Length));
  }
  // The heights and diameters where their texts keep apart, else the table.
  const SheetDrawing plain = d;
  AddElementDimensions(d, elements, at, figures.Largest);
  const bool crossed = std::any_of(d.Texts.begin(), d.Texts.end(), [&](const SheetText& t) {
    return std::any_of(d.Lines.begin(), d.Lines.end(),
                       [&](const SheetLine& l) { return l.Style != Pen::CentreLine && LineMeetsBox(l, t.Box); }) ||
           std::any_of(d.Circles.begin(), d.Circles.end(), [&](const SheetCircle& c) { return CircleMeetsBox(c, t.Box); });
  });
  if (crossed || !OverlappingTexts(d).empty()) {
    d = plain;
    if (figures.Tip == Solid::Kind::Ball) BallDiameter(at, elements.back());
    if (figures.Tip == Solid::Kind::Disk) at.Across((elements.back().TopZ + elements.back().BottomZ) / 2, *figures.TipDiameter);
    AddElementTable(d, elements);
  }
  AddTitleBlock(d, figures, title);
  BreakCentreLine(d);
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

std::vector<std::pair<std::size_t, std::size_t>> TextsOnLines(const SheetDrawing& drawing) {
  std::vector<std::pair<std::size_t, std::size_t>> pairs;
  for (std::size_t i = 0; i < drawing.Texts.size(); ++i) {
    const TextBox& box = drawing.Texts[i].Box;
    for (std::size_t j = 0; j < drawing.Lines.size(); ++j) {
      if (LineMeetsBox(drawing.Lines[j], box)) pairs.emplace_back(i, j);
    }
    for (std::size_t j = 0; j < drawing.Circles.size(); ++j) {
      if (CircleMeetsBox(drawing.Circles[j], box)) pairs.emplace_back(i, drawing.Lines.size() + j);
    }
  }
  return pairs;
}

}  // namespace tarvo::sheet
