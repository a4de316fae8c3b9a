#pragma once

#include <string>
#include <vector>

#include "definition/confirmation.h"

namespace tarvo::definition::testing {

// The stored lines from entry `first` on, without their CR LF; fails the
// test when an entry does not end in CR LF.
inline std::vector<std::string> LinesFrom(const ToolDefinition& tool, int first) {
  std::vector<std::string> lines;
  for (int i = first; i <= tool.LineCount; ++i) {
    const std::string& entry = tool.ToolLines[static_cast<std::size_t>(i)];
    if (entry.size() < 2 || entry.substr(entry.size() - 2) != "\r\n") return {"<no CR LF>"};
    lines.push_back(entry.substr(0, entry.size() - 2));
  }
  return lines;
}

// An element of `kind` with the dimensions as the value checks leave them.
inline ElementInput Element(std::string_view kind, std::string_view height, std::string_view diam,
                            std::string_view diam2 = "0") {
  return {kind, false, false, height, diam, diam2, "0", "3", "TARVO1"};
}

}  // namespace tarvo::definition::testing
