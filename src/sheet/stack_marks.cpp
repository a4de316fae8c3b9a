#include "sheet/stack_marks.h"

#include "sheet/title_block.h"

namespace tarvo::sheet {
namespace {

constexpr double kMargin = 12;     // the page's left margin, mm
constexpr double kNameSize = 2.5;  // the part names' font
constexpr double kListSize = 3;

}  // namespace

void MarkStack(SheetDrawing& d, const std::vector<MarkedPart>& parts, const std::string& partList) {
  for (SheetText& text : d.Texts) {
    if (text.Text != "Tool data sheet") continue;
    text.Text = "Assembly data sheet";
    text.Box.Width = TextWidth(text.Text, text.Size);
  }
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const double y = d.MountingY - parts[i].MountingZ * d.Factor;
    if (i > 0) d.Lines.push_back({{{kMargin, y}, {d.AxisX, y}}, Pen::CentreLine});
    const double width = TextWidth(parts[i].Name, kNameSize);
    d.Texts.push_back({parts[i].Name, {kMargin, y + 0.5, width, TextHeight(kNameSize)}, kNameSize});
  }
  const double top = kTitleBlockTop - TextHeight(kListSize) - 1;
  d.Texts.push_back({partList, {kMargin + 2, top, TextWidth(partList, kListSize), TextHeight(kListSize)}, kListSize});
}

}  // namespace tarvo::sheet
