#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/sheet_drawing.h"
#include "sheet/probe_limits.h"
#include "sheet/tool_figures.h"

namespace tarvo::sheet {

// What the title block says besides the figures (UTF-8).
struct SheetTitle {
  std::string Name;
  std::string Connection;
  int Position = 0;  // the tool's place in usrprobe.dat, 0 when it is not there
  int Tools = 0;     // the tools the file holds
  std::string Date;  // YYYY-MM-DD
  std::string Version;
  std::optional<ProbeProfile> Probe;  // the probe whose limits the sheet compares, if any
  // The stem's material in words where it is not the one of the figures'
  // choice: a stack whose parts differ in it.
  std::string StemMaterials;
};

// The name and connection type of an ITEM line, as the tool library reads
// them: the name up to the line's last blank, the connection type after it.
SheetTitle TitleOfItem(std::string_view itemLine);

// The largest of 5:1, 2:1, 1:1, 1:2, 1:5, 1:10 (then 1:20, 1:50, 1:100) at
// which a tool of this height and width fits the room, both in mm.
struct DrawingScale {
  int Paper = 1, Tool = 1;
  double Factor() const { return static_cast<double>(Paper) / Tool; }
};
DrawingScale ChooseScale(double height, double width, double roomHeight, double roomWidth);

// The whole page: the side view at its scale, L and EWL dimensioned on its
// left, each element's height on its right and each diameter (a prism's
// edges and width across flats) across it, its texts clear of the lines;
// when their texts would meet, the heights and diameters go to a table
// beside the view instead. Then the title block.
SheetDrawing LayOutSheet(const std::vector<ElementProfile>& elements, const ToolFigures& figures,
                         const SheetTitle& title);

// The index pairs of texts whose boxes meet; none on a good sheet.
std::vector<std::pair<std::size_t, std::size_t>> OverlappingTexts(const SheetDrawing& drawing);
// The pairs of a text and a line (or the ball's circle or its inside,
// counted after the lines) that meet; none on a good sheet, where the centre
// line breaks for the texts across it.
std::vector<std::pair<std::size_t, std::size_t>> TextsOnLines(const SheetDrawing& drawing);

}  // namespace tarvo::sheet
