#include "script/nearest_name.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace tarvo::replay {
namespace {

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// The edit distance (Levenshtein), one row of the table at a time.
std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (SameLetter(a[i - 1], b[j - 1]) ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

bool BeginsWith(std::string_view name, std::string_view typed) {
  return name.size() >= typed.size() && std::equal(typed.begin(), typed.end(), name.begin(), SameLetter);
}

}  // namespace

std::string_view NearestName(std::string_view typed, const std::vector<std::string_view>& names) {
  std::string_view nearest;
  std::size_t best = 0;
  bool bestBegins = false;
  for (const std::string_view name : names) {
    const std::size_t distance = Distance(typed, name);
    const bool begins = BeginsWith(name, typed);
    if (nearest.empty() || distance < best || (distance == best && begins && !bestBegins)) {
      nearest = name;
      best = distance;
      bestBegins = begins;
    }
  }
  return nearest;
}

}  // namespace tarvo::replay
