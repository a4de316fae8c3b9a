#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "sheet/sheet_drawing.h"

// Writes a data sheet to FILE.pdf or FILE.svg, replacing the file; the
// reason when it cannot. Painting needs Qt: a build without the window
// has this function say so instead.
std::optional<std::string> WriteSheetFile(const std::filesystem::path& file, const tarvo::sheet::SheetDrawing& drawing);
