#include "definition/tool_definition.h"

namespace tarvo::definition {

void ToolDefinition::StoreLine(std::string_view line) {
  ++LineCount;
  std::string& entry = ToolLines[static_cast<std::size_t>(LineCount)];
  entry.assign(line);
  entry += "\r\n";
}

std::string ToolDefinition::Text() const { return LastLines(LineCount); }

std::string ToolDefinition::LastLines(int count) const {
  std::string text;
  for (int i = LineCount - count + 1; i <= LineCount; ++i) text += ToolLines[i];
  return text;
}

}  // namespace tarvo::definition
