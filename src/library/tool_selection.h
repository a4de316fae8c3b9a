#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "library/library_file.h"

namespace tarvo::library {

// The tool a user names, or why none is meant.
struct ToolSelection {
  const Tool* Found = nullptr;
  std::string Error;
};

// NAME matches a tool's name exactly; several tools of that name need
// `position` (1-based), which must then name a tool of that name.
ToolSelection SelectTool(const Library& library, std::string_view name,
                         std::optional<int> position);

// The position a user gives with --index: digits only, at most nine of them;
// nothing when the text is not such a number.
std::optional<int> ReadPosition(std::string_view text);

// The lines of `tarvo-library list` and `check` for one tool, each ending in
// LF, in UTF-8 (the file's names are Windows-1252).
std::string ListLine(const Tool& tool);
std::string CheckLines(const Tool& tool);

}  // namespace tarvo::library
