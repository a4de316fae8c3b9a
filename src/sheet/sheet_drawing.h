#pragma once

#include <string>
#include <vector>

namespace tarvo::sheet {

// The data sheet as plain drawing parts on an A4 portrait page, in mm from
// its upper left corner, y downwards. The window's painter only draws them.
struct PagePoint {
  double X = 0, Y = 0;
};

struct TextBox {
  double Left = 0, Top = 0, Width = 0, Height = 0;
  bool Overlaps(const TextBox& other) const {
    return Left < other.Left + other.Width && other.Left < Left + Width && Top < other.Top + other.Height &&
           other.Top < Top + Height;
  }
};

enum class Pen { Outline, Thin, CentreLine, Frame };

struct SheetLine {
  std::vector<PagePoint> Points;
  Pen Style = Pen::Thin;
  bool Closed = false;
  bool Filled = false;  // the solid's light fill
};

struct SheetCircle {
  PagePoint Centre;
  double Radius = 0;
};

// A filled arrow head: its tip and the two corners of its base.
struct SheetArrow {
  PagePoint Tip, Left, Right;
};

// A text in its box; a vertical text reads upwards, turned a quarter left.
struct SheetText {
  std::string Text;  // UTF-8
  TextBox Box;
  double Size = 3;   // the font's pixel size, mm
  bool Vertical = false;
  bool Centred = false;
  bool Warning = false;  // painted red: the tool passes a limit of its probe
};

struct SheetDrawing {
  static constexpr double kWidth = 210, kHeight = 297;
  std::vector<SheetLine> Lines;
  std::vector<SheetCircle> Circles;
  std::vector<SheetArrow> Arrows;
  std::vector<SheetText> Texts;
  std::string Name;         // the tool's
  std::string Scale;        // "2:1"
  double Factor = 1;        // paper mm per tool mm
  double AxisX = 0;         // the tool's axis on the page
  double MountingY = 0;     // z = 0 on the page
  bool HeightsInTable = false;
};

// The width a text takes at a font size, a little more than the sans-serif
// font's own glyphs, so that boxes that do not meet hold texts that do not.
double TextWidth(const std::string& text, double size);
// Its height: the font's ascent and descent.
inline double TextHeight(double size) { return 1.2 * size; }

}  // namespace tarvo::sheet
