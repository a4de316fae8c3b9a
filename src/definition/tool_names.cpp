#include "definition/tool_names.h"

#include <fstream>
#include <iterator>

#include "definition/tool_blocks.h"

namespace tarvo::definition {

std::optional<std::string> ItemName(std::string_view line) {
  constexpr std::string_view kItem = "ITEM:";
  if (!line.starts_with(kItem)) return std::nullopt;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  std::string_view name = line.substr(kItem.size());
  if (const std::size_t blank = name.rfind(' '); blank != std::string_view::npos) {
    name = name.substr(0, blank);
  }
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return std::string(name);
}

std::string_view NameAsRead(std::string_view name) {
  const std::size_t first = name.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> ReadToolNames(const std::filesystem::path& file) {
  std::vector<std::string> names;
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (std::size_t at = 0; at < bytes.size();) {
    const FileLine line = LineAt(bytes, at);
    if (std::optional<std::string> name = ItemName(line.Text)) names.push_back(std::move(*name));
    at = line.Next;
  }
  return names;
}

}  // namespace tarvo::definition
