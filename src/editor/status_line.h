#pragma once

#include <optional>
#include <string>

#include "definition/tool_definition.h"
#include "editor/editor.h"
#include "editor/status_fit.h"
#include "numbers/number_format.h"
#include "sheet/tool_figures.h"

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
// by NEW TOOL has a name that the editor's usrprobe.dat already holds; when
// one of the two names has blanks at its ends, the notice says so.
std::optional<std::string> DuplicateNameNotice(const Editor& editor);

// The window's status line: the notices, if any, the figures (with a tip's
// effective working length, "EWL N", after the length) and the folder of the
// four files. "The saved unfinished tool could not be read: set aside as FILE"
// after a damaged history file. "The tool under way cannot be saved for a later start:
// FILE: REASON" while the tool's history cannot be written.
// The figures of the tool under way (as FiguresOfBlock gives them) for the
// chosen probe's force and materials, each element read once from its own
// lines; nothing before the first element.
std::optional<sheet::ToolFigures> FiguresOfTool(const Editor& editor);

// With a tool under way, "δ N µm" follows the length (and EWL): its bending
// in µm at the chosen probe's force (0.1 N without one). The window shows
// the limit notice apart, in red (`withLimits` false).
std::string StatusLine(const Editor& editor, bool withLimits = true);
// The same in its parts, for a window that fits it to its width.
StatusParts StatusPartsOf(const Editor& editor, bool withLimits = true);

// "NAME: over the probe's length limit of 50 mm by 4.5 mm" ("; " between
// two) while the tool under way passes a limit of the chosen probe; the
// status line holds it after the other notices.
std::optional<std::string> LimitNotice(const Editor& editor);

// What the status line says for a few seconds after a command that shows
// nothing else:
// "Exported NAME to usrprobe.dat (tool K of N)." after EXPORT (without the
// count when the file cannot be read back), and that the file has line ends
// other than CR LF when it has; nothing after another command.
std::optional<std::string> ExportNotice(const Editor& editor);
// What File → Copy definition puts on the clipboard, and its notice. A tool
// that can be exported: exactly the block EXPORT would write (its end lines
// and the empty line included), "Copied the definition of NAME."; one not
// complete yet: the pane, "Copied the definition of NAME so far: it is not
// complete yet."; before NEW TOOL: no text, and that there is nothing to copy.
struct CopiedDefinition {
  std::string Text;  // UTF-8; empty when there is nothing to copy
  std::string Notice;
};
CopiedDefinition DefinitionToCopy(const Editor& editor);
// After the tool library's Copy: `name` as the file holds it (Windows-1252).
std::string CopiedToolNotice(std::string_view name);
// "Saved NAME as FILE." after File → Export STL….
std::string SavedNotice(const Editor& editor, const std::string& file);
// "Saved the preview as FILE." after File → Save preview picture….
std::string SavedPictureNotice(const std::string& file);

// File → Open data folder when no program can open folders.
std::string NoFileManagerMessage(const std::string& folder);

}  // namespace tarvo::editor
