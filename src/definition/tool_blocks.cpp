#include "definition/tool_blocks.h"

namespace tarvo::definition {

std::vector<BlockSpan> ToolBlocks(std::string_view file) {
  std::vector<BlockSpan> blocks;
  for (std::size_t at = 0; at < file.size();) {
    if (file.substr(at, 5) == "ITEM:") {
      if (!blocks.empty()) blocks.back().End = at;
      blocks.push_back({at, file.size()});
    }
    const std::size_t end = file.find('\n', at);
    if (end == std::string_view::npos) break;
    at = end + 1;
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
