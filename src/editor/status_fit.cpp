#include "editor/status_fit.h"

#include <algorithm>

namespace tarvo::editor {
namespace {

constexpr std::string_view kEllipsis = "\u2026";
constexpr std::string_view kBar = " | ";

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

// The byte offsets where the text's characters begin, and its end.
std::vector<std::size_t> Boundaries(std::string_view text) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (StartsCharacter(text[i])) at.push_back(i);
  }
  at.push_back(text.size());
  return at;
}

std::string Joined(const std::vector<std::string>& notices) {
  std::string text;
  for (const std::string& notice : notices) text += (text.empty() ? "" : std::string(kBar)) + notice;
  return text;
}

}  // namespace

std::string StatusParts::Whole() const {
  std::string text = Joined(Notices);
  if (!text.empty()) text += kBar;
  return text + Figures + std::string(kBar) + Folder;
}

std::string CutAtEnd(std::string_view text, int width, const TextMeasure& measure) {
  if (measure(text) <= width) return std::string(text);
  const std::vector<std::size_t> at = Boundaries(text);
  // The most characters that fit with the ellipsis: the widths grow with
  // the count, so a binary search finds it.
  std::size_t low = 0, high = at.size() - 1;
  while (low < high) {
    const std::size_t mid = (low + high + 1) / 2;
    if (measure(std::string(text.substr(0, at[mid])) + std::string(kEllipsis)) <= width) low = mid;
    else high = mid - 1;
  }
  return std::string(text.substr(0, at[low])) + std::string(kEllipsis);
}

std::string CutAtStart(std::string_view text, int width, const TextMeasure& measure) {
  if (measure(text) <= width) return std::string(text);
  const std::vector<std::size_t> at = Boundaries(text);
  std::size_t low = 0, high = at.size() - 1;  // characters dropped from the start
  while (low < high) {
    const std::size_t mid = (low + high) / 2;
    if (measure(std::string(kEllipsis) + std::string(text.substr(at[mid]))) <= width) high = mid;
    else low = mid + 1;
  }
  return std::string(kEllipsis) + std::string(text.substr(at[low]));
}

std::string FitStatusLine(const StatusParts& parts, int width, const TextMeasure& measure) {
  const std::string whole = parts.Whole();
  if (measure(whole) <= width) return whole;
  const std::string notices = Joined(parts.Notices);
  const std::string figures = parts.Figures + std::string(kBar);
  const int bar = measure(kBar);
  // The room the notices and the folder share, each with its bar.
  const int room = std::max(0, width - measure(figures) - (notices.empty() ? 0 : bar));
  if (notices.empty()) return figures + CutAtStart(parts.Folder, room, measure);
  const int folderWidth = measure(parts.Folder);
  const int noticeRoom = std::max(room / 2, room - folderWidth);
  const std::string shownNotices = CutAtEnd(notices, noticeRoom, measure);
  return shownNotices + std::string(kBar) + figures +
         CutAtStart(parts.Folder, room - measure(shownNotices), measure);
}

}  // namespace tarvo::editor
