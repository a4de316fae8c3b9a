#pragma once

#include <string>
#include <vector>

#include "sheet/sheet_drawing.h"

namespace tarvo::sheet {

// One part of a stack on its data sheet: its name and where its mounting
// face lies (z, 0 for the first part).
struct MarkedPart {
  std::string Name;  // UTF-8
  double MountingZ = 0;
};

// Marks each joint of a laid-out stack with a chain line across the view
// from the page's left margin, names each part at the margin below its
// mounting face, lists the parts above the title block, and heads the page
// "Assembly data sheet".
void MarkStack(SheetDrawing& drawing, const std::vector<MarkedPart>& parts, const std::string& partList);

}  // namespace tarvo::sheet
