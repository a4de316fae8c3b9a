#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::definition {

// Where one tool's block lies in a probe definition file: from a line that
// starts with "ITEM:" up to the next such line or the end of the file.
struct BlockSpan {
  std::size_t Begin = 0;
  std::size_t End = 0;
};

// How a line of a file ends: CR LF, as this program writes, LF alone, CR
// alone, or not at all (the file's last line).
enum class LineEnd { CrLf, Lf, Cr, None };

// One line of a file. A line ends at CR LF, LF or CR alike.
struct FileLine {
  std::string_view Text;  // without its end
  std::size_t Next = 0;   // where the next line starts
  LineEnd End = LineEnd::None;
};

// The line that starts at `at`.
FileLine LineAt(std::string_view file, std::size_t at);

// The first line (1-based) of the file that ends in LF alone and the first
// that ends in CR alone; 0 where there is none.
struct OtherLineEnds {
  int FirstLf = 0;
  int FirstCr = 0;
  bool Any() const { return FirstLf != 0 || FirstCr != 0; }
};
OtherLineEnds FindOtherLineEnds(std::string_view file);

// The tool blocks of a file, in file order. Bytes before the first ITEM line
// belong to no block.
std::vector<BlockSpan> ToolBlocks(std::string_view file);

// The file with the block `original` replaced by `replacement`: the block at
// `position` (0-based) when it still reads `original` byte for byte, else the
// first block that does. Nothing when no block of the file reads `original`.
std::optional<std::string> ReplaceBlock(std::string_view file, std::string_view original,
                                        std::size_t position, std::string_view replacement);

}  // namespace tarvo::definition
