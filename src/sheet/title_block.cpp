#include "sheet/title_block.h"

#include <algorithm>

#include "numbers/number_text.h"

namespace tarvo::sheet {
namespace {

constexpr double kLeft = 10, kRight = 200, kBottom = 287;
constexpr double kLabelSize = 3, kRow = 5.5;

// A text at (x, top), made smaller where it would reach past `room` mm.
void Put(SheetDrawing& d, const std::string& text, double x, double top, double size, double room) {
  size = std::min(size, size * room / std::max(TextWidth(text, size), 0.001));
  d.Texts.push_back({text, {x, top, TextWidth(text, size), TextHeight(size)}, size});
}

void Rule(SheetDrawing& d, double y) { d.Lines.push_back({{{kLeft, y}, {kRight, y}}, Pen::Frame}); }

std::string Millimetres(const std::optional<double>& value) {
  return value ? LengthText(*value) + " mm" : "-";
}

std::string MaterialText(Material material) {
  const MaterialData& m = DataOf(material);
  return std::string(m.Name) + " " + numbers::FigureText(m.Density, 2) + " g/cm\u00B3";
}

}  // namespace

void AddTitleBlock(SheetDrawing& d, const ToolFigures& f, const SheetTitle& title) {
  d.Lines.push_back({{{kLeft, 10}, {kRight, 10}, {kRight, kBottom}, {kLeft, kBottom}}, Pen::Frame, true});
  Rule(d, kTitleBlockTop);
  const std::string program = "TARVO Tools " + title.Version;
  const double programWidth = TextWidth(program, 3.5);
  d.Texts.push_back({program, {kRight - 3 - programWidth, kTitleBlockTop + 3, programWidth, TextHeight(3.5)}, 3.5});
  Put(d, title.Name, kLeft + 3, kTitleBlockTop + 2, 5, kRight - kLeft - 12 - programWidth);
  Rule(d, kTitleBlockTop + 10);

  const std::string position = title.Position > 0 ? "tool " + numbers::IntegerText(title.Position) + " of " +
                                                        numbers::IntegerText(title.Tools) + " in usrprobe.dat"
                                                  : "not in usrprobe.dat";
  const std::pair<std::string, std::string> left[] = {{"Connection", title.Connection},
                                                      {"Position", position},
                                                      {"Elements", numbers::IntegerText(f.Elements)},
                                                      {"Scale", d.Scale},
                                                      {"Date", title.Date}};
  const std::pair<std::string, std::string> right[] = {
      {"L", LengthText(f.Length) + " mm"},   {"EWL", Millimetres(f.WorkingLength)},
      {"D", Millimetres(f.TipDiameter)},     {"ds", Millimetres(f.StemDiameter)},
      {"Largest \u00D8", LengthText(f.Largest) + " mm"}};
  for (int row = 0; row < 5; ++row) {
    const double y = kTitleBlockTop + 12 + row * kRow;
    Put(d, left[row].first, kLeft + 3, y, kLabelSize, 30);
    Put(d, left[row].second, kLeft + 35, y, kLabelSize, 58);
    Put(d, right[row].first, 107, y, kLabelSize, 23);
    Put(d, right[row].second, 132, y, kLabelSize, kRight - 134);
  }
  const double massTop = kTitleBlockTop + 12 + 5 * kRow + 2;
  Rule(d, massTop - 1.5);
  std::string materials = f.Tip ? "stem " + MaterialText(f.Materials.Stem) + ", tip " + MaterialText(f.TipMaterial)
                                : MaterialText(f.Materials.Stem);
  Put(d, "Mass", kLeft + 3, massTop, kLabelSize, 30);
  Put(d, numbers::FixedText(f.Mass, 2) + " g, an estimate: " + materials, kLeft + 35, massTop, kLabelSize,
      kRight - kLeft - 38);
  if (f.StemAsWideAsTip()) {
    const std::string tip = *f.Tip == mesh::Solid::Kind::Ball ? "ball" : "disk";
    Put(d, "Note", kLeft + 3, massTop + kRow, kLabelSize, 30);
    Put(d, "the stem is as wide as the " + tip + ": it touches a wall before the " + tip, kLeft + 35,
        massTop + kRow, kLabelSize, kRight - kLeft - 38);
  }
}

}  // namespace tarvo::sheet
