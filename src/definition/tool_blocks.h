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

// The tool blocks of a file, in file order. Bytes before the first ITEM line
// belong to no block. Lines end at LF, whatever comes before it.
std::vector<BlockSpan> ToolBlocks(std::string_view file);

// The file with the block `original` replaced by `replacement`: the block at
// `position` (0-based) when it still reads `original` byte for byte, else the
// first block that does. Nothing when no block of the file reads `original`.
std::optional<std::string> ReplaceBlock(std::string_view file, std::string_view original,
                                        std::size_t position, std::string_view replacement);

}  // namespace tarvo::definition
