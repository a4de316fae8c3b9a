#include "sheet_output.h"

std::optional<std::string> WriteSheetFile(const std::filesystem::path&, const tarvo::sheet::SheetDrawing&) {
  return "this tarvo-library was built without the window, whose painter draws the sheet; use figures";
}
