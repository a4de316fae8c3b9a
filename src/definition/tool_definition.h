#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvo::definition {

// The definition block of the tool being built, one line per entry with its
// CR LF, entries 1..LineCount in use, and where the elements stand on the axis.
struct ToolDefinition {
  static constexpr int kMaxLines = 200;
  static constexpr int kMaxElements = 50;

  std::int16_t ElementCount = 0;
  float ElementTopZ = 0;
  float ElementBottomZ = 0;
  std::array<std::string, kMaxLines + 1> ToolLines;
  std::int16_t LineCount = 0;
  std::array<std::int16_t, 101> LinesPerElement{};

  // Stores the line with its CR LF in the next entry.
  void StoreLine(std::string_view line);
  // Entries 1..LineCount joined: what the definition pane shows.
  std::string Text() const;
  // The last `count` entries joined.
  std::string LastLines(int count) const;
};

}  // namespace tarvo::definition
