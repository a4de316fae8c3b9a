#include "sheet/title_block.h"

#include <algorithm>

#include "numbers/number_text.h"

namespace tarvo::sheet {
namespace {

constexpr double kLeft = 10, kRight = 200, kBottom = 287;
constexpr double kLabelSize = 3, kRow = 5;
constexpr int kRows = 7;  // of the two columns of figures

// A text at (x, top), made smaller where it would reach past `room` mm.
void Put(SheetDrawing& d, const std::string& text, double x, double top, double size, double room,
         bool warning = false) {
  if (text.empty()) return;
  size = std::min(size, size * room / std::max(TextWidth(text, size), 0.001));
  d.Texts.push_back({text, {x, top, TextWidth(text, size), TextHeight(size)}, size, false, false, warning});
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
                                                      {"Date", title.Date},
                                                      {"Probe", title.Probe ? title.Probe->Name : "none chosen"},
                                                      {"", ""}};
  const std::pair<std::string, std::string> right[] = {
      {"L", LengthText(f.Length) + " mm"},   {"EWL", Millimetres(f.WorkingLength)},
      {"D", Millimetres(f.TipDiameter)},     {"ds", Millimetres(f.StemDiameter)},
      {"Largest \u00D8", LengthText(f.Largest) + " mm"},
      {"Bending", BendingText(f.Bending) + " \u00B5m at " + numbers::FigureText(f.Force, 4) + " N"},
      {"Heat", numbers::FixedText(f.Heat, 2) + " \u00B5m/K"}};
  for (int row = 0; row < kRows; ++row) {
    const double y = kTitleBlockTop + 11.5 + row * kRow;
    Put(d, left[row].first, kLeft + 3, y, kLabelSize, 30);
    Put(d, left[row].second, kLeft + 35, y, kLabelSize, 58);
    Put(d, right[row].first, 107, y, kLabelSize, 23);
    Put(d, right[row].second, 132, y, kLabelSize, kRight - 134);
  }
  const double massTop = kTitleBlockTop + 11.5 + kRows * kRow + 1.5;
  Rule(d, massTop - 1.5);
  const std::string stem = title.StemMaterials.empty() ? MaterialText(f.Materials.Stem) : title.StemMaterials;
  std::string materials = f.Tip ? "stem " + stem + ", tip " + MaterialText(f.TipMaterial) : stem;
  Put(d, "Mass", kLeft + 3, massTop, kLabelSize, 30);
  Put(d, numbers::FixedText(f.Mass, 2) + " g, an estimate: " + materials, kLeft + 35, massTop, kLabelSize,
      kRight - kLeft - 38);
  double y = massTop + kRow;
  const auto row = [&](const std::string& label, const std::string& text, bool warning = false) {
    Put(d, label, kLeft + 3, y, kLabelSize, 30);
    Put(d, text, kLeft + 35, y, kLabelSize, kRight - kLeft - 38, warning);
    y += kRow;
  };
  row("Estimate", "bending and heat leave out the joints, shear, the ball's contact, the probe's compliance and "
                  "hollow stems");
  if (title.Probe) {
    std::string limits;
    for (const LimitMargin& m : MarginsOf(f, *title.Probe)) {
      limits += (limits.empty() ? "" : "; ") + m.Limit + ", " + m.Margin + (m.Passed ? " over" : " to spare");
    }
    row("Limits", limits.empty() ? "none set" : limits);
  }
  if (f.StemAsWideAsTip()) {
    const std::string tip = *f.Tip == mesh::Solid::Kind::Ball ? "ball" : "disk";
    row("Note", "the stem is as wide as the " + tip + ": it touches a wall before the " + tip);
  }
  if (title.Probe) {
    for (const std::string& passed : PassedLimits(f, *title.Probe)) row("Over limit", passed, true);
  }
}

}  // namespace tarvo::sheet
