#include "definition/tool_blocks.h"

#include <algorithm>

namespace tarvo::definition {

FileLine LineAt(std::string_view file, std::size_t at) {
  const std::size_t end = std::min(file.find_first_of("\r\n", at), file.size());
  FileLine line{file.substr(at, end - at), end, LineEnd::None};
  if (end == file.size()) return line;
  if (file[end] == '\n') {
    line.End = LineEnd::Lf;
  } else if (end + 1 < file.size() && file[end + 1] == '\n') {
    line.End = LineEnd::CrLf;
    ++line.Next;
  } else {
    line.End = LineEnd::Cr;
  }
  ++line.Next;
  return line;
}

OtherLineEnds FindOtherLineEnds(std::string_view file) {
  OtherLineEnds found;
  int number = 1;
  for (std::size_t at = 0; at < file.size(); ++number) {
    const FileLine line = LineAt(file, at);
    if (line.End == LineEnd::Lf && found.FirstLf == 0) found.FirstLf = number;
    if (line.End == LineEnd::Cr && found.FirstCr == 0) found.FirstCr = number;
    at = line.Next;
  }
  return found;
}

std::vector<BlockSpan> ToolBlocks(std::string_view file) {
  std::vector<BlockSpan> blocks;
  for (std::size_t at = 0; at < file.size(); at = LineAt(file, at).Next) {
    if (file.substr(at, 5) == "ITEM:") {
      if (!blocks.empty()) blocks.back().End = at;
      blocks.push_back({at, file.size()});
    }
  }
  return blocks;
}

std::optional<std::string> ReplaceBlock(std::string_view file, std::string_view original,
                                        std::size_t position, std::string_view replacement) {
  const std::vector<BlockSpan> blocks = ToolBlocks(file);
  const auto reads = [&](const BlockSpan& block) {
    return file.substr(block.Begin, block.End - block.Begin) == original;
  };
  const BlockSpan* target = nullptr;
  if (position < blocks.size() && reads(blocks[position])) {
    target = &blocks[position];
  } else {
    for (const BlockSpan& block : blocks) {
      if (reads(block)) {
        target = &block;
        break;
      }
    }
  }
  if (target == nullptr) return std::nullopt;
  std::string replaced;
  replaced.reserve(file.size() - original.size() + replacement.size());
  replaced.append(file.substr(0, target->Begin));
  replaced.append(replacement);
  replaced.append(file.substr(target->End));
  return replaced;
}

}  // namespace tarvo::definition
