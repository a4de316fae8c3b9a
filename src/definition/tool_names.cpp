#include "definition/tool_names.h"

#include <fstream>

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
  for (std::string line; std::getline(in, line);) {
    if (std::optional<std::string> name = ItemName(line)) names.push_back(std::move(*name));
  }
  return names;
}

}  // namespace tarvo::definition
