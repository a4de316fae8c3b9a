#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::editor {

// The status line in its parts: the notices that stand, the figures (the
// counts, the length and the tip) and the data folder.
struct StatusParts {
  std::vector<std::string> Notices;
  std::string Figures;
  std::string Folder;
  // All of it, "NOTICE | NOTICE | FIGURES | FOLDER": the line's tooltip.
  std::string Whole() const;
};

// The width of a text as the window draws it, in the window's units.
using TextMeasure = std::function<int(std::string_view)>;

// The status line in `width`: the figures always whole. The notices and the
// folder share what is left: each whole when both fit; else the notices keep
// at least half of it, cut at their end with "…", and the folder the rest,
// cut at its start with "…" so that its last folders show.
std::string FitStatusLine(const StatusParts& parts, int width, const TextMeasure& measure);

// The longest start of `text` (whole UTF-8 characters) that fits in `width`
// with "…" behind it; the text itself when it fits whole.
std::string CutAtEnd(std::string_view text, int width, const TextMeasure& measure);
// The same from the text's end: "…" and its longest end that fits.
std::string CutAtStart(std::string_view text, int width, const TextMeasure& measure);

}  // namespace tarvo::editor
