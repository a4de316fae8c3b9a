#include "definition/tool_definition.h"

namespace tarvo::definition {

void ToolDefinition::StoreLine(std::string_view line) {
  ++LineCount;
  ToolLines[LineCount] = std::string(line) + "\r\n";
}

std::string ToolDefinition::Text() const { return LastLines(LineCount); }

std::string ToolDefinition::LastLines(int count) const {
  std::string text;
  for (int i = LineCount - count + 1; i <= LineCount; ++i) text += ToolLines[i];
  return text;
}

}  // namespace tarvo::definition
