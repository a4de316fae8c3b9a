#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sheet/sheet_layout.h"

namespace tarvo::sheet {

// A tool's data sheet: its figures and its page, from its definition block.
struct DataSheet {
  ToolFigures Figures;
  SheetDrawing Drawing;
};

// What the title block adds to the block's own ITEM line.
struct SheetContext {
  MaterialChoice Materials;
  int Position = 0;  // the tool's place in usrprobe.dat, 0 when it is not there
  int Tools = 0;
  std::string Date;  // YYYY-MM-DD
  std::string Version;
  // The probe whose force bends the tool and whose limits the sheet
  // compares; without one the force is `Force`.
  std::optional<ProbeProfile> Probe;
  double Force = kDefaultForce;
};

// Nothing when a line cannot be read or the block has no element; then
// `error` says why ("line 5: cannot read ...", "the tool has no element").
std::optional<DataSheet> SheetOfBlock(std::string_view block, const SheetContext& context, std::string* error = nullptr);

// Today's date in the local time zone, YYYY-MM-DD.
std::string Today();

}  // namespace tarvo::sheet
