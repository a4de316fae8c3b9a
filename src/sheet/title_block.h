#pragma once

#include "sheet/sheet_layout.h"

namespace tarvo::sheet {

// The title block across the foot of the page: name, connection type,
// place in usrprobe.dat, the figures, the mass with its materials, the
// bending at the probe's force, the heat, the probe and its limits (a red
// line for each limit passed), the scale, the date and the program's version.
void AddTitleBlock(SheetDrawing& drawing, const ToolFigures& figures, const SheetTitle& title);

// The block's upper edge on the page, mm.
inline constexpr double kTitleBlockTop = 210;

}  // namespace tarvo::sheet
