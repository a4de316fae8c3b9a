#pragma once

#include <optional>
#include <string>

#include "definition/tool_definition.h"
#include "editor/editor.h"
#include "numbers/number_format.h"

namespace tarvo::editor {

// The tool's tip, once its last element is a ball or a disk.
struct TipStatus {
  std::string Kind;      // "ball" or "disk"
  std::string Diameter;  // the diameter's field text, as the definition holds it
};

// The figures of the status line, read from the editor state.
struct ToolStatus {
  int Elements = 0;
  int Lines = 0;
  // From the mounting face down to the lower end of the last element, or to
  // the ball's centre or the disk's middle once the tip is on.
  std::string Length;
  std::optional<TipStatus> Tip;
};

ToolStatus StatusOf(const definition::ToolDefinition& tool, const numbers::NumberFormat& format);

// "A tool named NAME is already in usrprobe.dat." while a tool just started
// by NEW TOOL has a name that the editor's usrprobe.dat already holds.
std::optional<std::string> DuplicateNameNotice(const Editor& editor);

// The window's status line: the notice, if any, the figures and the folder
// of the four files.
std::string StatusLine(const Editor& editor);

}  // namespace tarvo::editor
