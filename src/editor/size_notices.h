#pragma once

#include <string>
#include <vector>

#include "editor/editor.h"

namespace tarvo::editor {

// Values the checks accept but no stylus has: above 10 000 mm or below 0.001 mm.
inline constexpr float kLargestLikelyValue = 10000.0F;
inline constexpr float kSmallestLikelyValue = 0.001F;

// After a command that accepted an element's values (CONFIRM, the change
// dialog's OK), one notice for each value beyond the likely sizes, in the
// order the checks examine them: "DIAMETER 1E+30 is larger than any stylus:
// check the value" or "HEIGHT 1E-05 is smaller than any stylus: check the
// value", with the field's name and text as the checks leave them. Nothing
// after any other command: the notices last until the next one.
std::vector<std::string> SizeNotices(const Editor& editor);

// "The preview cannot show an element of diameter 1E+30": the value of the
// tool under way furthest from the likely sizes, named as its field is; for
// the status line when the preview cannot draw the tool at its size.
std::string PreviewSizeNote(const Editor& editor);

}  // namespace tarvo::editor
