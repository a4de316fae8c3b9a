#include "editor/status_line.h"

#include <algorithm>
#include <map>
#include <cmath>
#include <string_view>
#include <vector>

#include "definition/code_page.h"
#include "definition/tool_blocks.h"
#include "definition/tool_names.h"
#include "editor/messages.h"
#include "editor/size_notices.h"
#include "numbers/decimal_parser.h"
#include "mesh/tool_solids.h"
#include "numbers/number_text.h"
#include "platform/text.h"
#include "sheet/tool_figures.h"

namespace tarvo::editor {
namespace {

// The blank-separated words of a definition line, its CR LF dropped.
std::vector<std::string_view> Words(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  std::vector<std::string_view> words;
  while (!line.empty()) {
    const std::size_t blank = line.find(' ');
    words.push_back(line.substr(0, blank));
    if (blank == std::string_view::npos) break;
    line.remove_prefix(blank + 1);
  }
  return words;
}

// A name of the file (Windows-1252) as its reader sees it, in UTF-8.
std::string ShownName(std::string_view name) {
  return std::string(definition::NameAsRead(definition::FromWindows1252(name)));
}

// The name of the editor's tool, as a reader of the file will see it.
std::string NameOfTool(const Editor& editor) {
  const std::optional<std::string> name = definition::ItemName(editor.Tool().ToolLines[1]);
  return std::string(definition::NameAsRead(name.value_or("")));
}

// The profiles of the tool's elements, each read from its own lines once:
// after CONFIRM only the new element is read. Nothing when an element's
// lines do not make one solid.
std::optional<std::vector<sheet::ElementProfile>> ProfilesOfTool(const definition::ToolDefinition& tool) {
  thread_local std::map<std::string, sheet::ElementProfile, std::less<>> known;  // element lines → profile
  if (known.size() > 1000) known.clear();
  std::vector<sheet::ElementProfile> profiles(static_cast<std::size_t>(tool.ElementCount));
  int last = tool.LineCount;
  for (int k = tool.ElementCount; k >= 1; --k) {
    const int first = last - tool.LinesPerElement[static_cast<std::size_t>(k)] + 1;
    if (first < 1) return std::nullopt;
    std::string lines;
    for (int i = first; i <= last; ++i) lines += tool.ToolLines[static_cast<std::size_t>(i)];
    auto found = known.find(lines);
    if (found == known.end()) {
      const mesh::ToolSolids solids = mesh::ReadToolSolids(lines);
      if (solids.Solids.size() != 1) return std::nullopt;
      found = known.emplace(std::move(lines), sheet::ProfilesOf(solids.Solids).front()).first;
    }
    profiles[static_cast<std::size_t>(k - 1)] = found->second;
    last = first - 1;
  }
  return profiles;
}

}  // namespace

std::optional<sheet::ToolFigures> FiguresOfTool(const Editor& editor) {
  const definition::ToolDefinition& tool = editor.Tool();
  if (tool.ElementCount == 0) return std::nullopt;
  const std::optional<sheet::ProbeProfile>& probe = editor.ChosenProbe();
  const double force = probe ? probe->Force : sheet::kDefaultForce;
  if (const std::optional<std::vector<sheet::ElementProfile>> profiles = ProfilesOfTool(tool)) {
    return sheet::FiguresOf(*profiles, editor.ChosenMaterials(), force);
  }
  return sheet::FiguresOfBlock(tool.Text(), editor.ChosenMaterials(), nullptr, force);
}

ToolStatus StatusOf(const definition::ToolDefinition& tool, const numbers::NumberFormat& format) {
  ToolStatus status;
  status.Elements = tool.ElementCount;
  status.Lines = tool.LineCount;
  const char separator = format.Separator();
  if (tool.ElementCount == 0) {
    status.Length = numbers::SingleText(0.0F, separator);
    return status;
  }
  status.Length = numbers::SingleText(-tool.ElementBottomZ, separator);
  // A tip element is "color 255 0 0", its sphere or disk ("cilinder") line and
  // "hotspot 0 0 Z 0 0 1 DIAMETER ...", whose Z is the ball's centre or the
  // disk's middle.
  const int count = tool.LinesPerElement[static_cast<std::size_t>(tool.ElementCount)];
  const int first = tool.LineCount - count + 1;
  if (count != 3 || first < 1) return status;
  const std::vector<std::string_view> shape = Words(tool.ToolLines[static_cast<std::size_t>(first + 1)]);
  const std::vector<std::string_view> hotspot = Words(tool.ToolLines[static_cast<std::size_t>(first + 2)]);
  if (shape.empty() || hotspot.size() < 8 || hotspot[0] != "hotspot") return status;
  if (shape[0] != "sphere" && shape[0] != "cilinder") return status;
  status.Tip = TipStatus{shape[0] == "sphere" ? "ball" : "disk", std::string(hotspot[7])};
  status.Length = numbers::DoubleText(-numbers::FieldNumber(hotspot[3], format), separator);
  return status;
}

std::optional<std::string> DuplicateNameNotice(const Editor& editor) {
  const definition::ToolDefinition& tool = editor.Tool();
  if (tool.LineCount != 1) return std::nullopt;  // only between NEW TOOL and ADD ELEMENT
  const std::optional<std::string> name = definition::ItemName(tool.ToolLines[1]);
  if (!name) return std::nullopt;
  const std::string_view read = definition::NameAsRead(*name);
  const std::string bytes = definition::ToWindows1252(read);
  const std::vector<std::string> names = definition::ReadToolNames(editor.Scene().DefinitionPath());
  const auto same = [&](const std::string& held) { return definition::NameAsRead(held) == bytes; };
  const auto held = std::find_if(names.begin(), names.end(), same);
  if (held == names.end()) return std::nullopt;
  const std::string notice = "A tool named " + std::string(read) + " is already in usrprobe.dat";
  // The same words as the library's check, for either of the two names.
  if (read != *name) return notice + ", and the name has blanks at its ends.";
  if (std::any_of(held, names.end(), [&](const std::string& other) { return same(other) && other != bytes; })) {
    return notice + ", where the name has blanks at its ends.";
  }
  return notice + ".";
}

std::optional<std::string> LimitNotice(const Editor& editor) {
  const std::optional<sheet::ProbeProfile>& probe = editor.ChosenProbe();
  if (!probe) return std::nullopt;
  const std::optional<sheet::ToolFigures> figures = FiguresOfTool(editor);
  if (!figures) return std::nullopt;
  const std::string passed = sheet::LimitsText(*figures, *probe);
  if (passed == "ok") return std::nullopt;
  return probe->Name + ": " + passed;
}

StatusParts StatusPartsOf(const Editor& editor, bool withLimits) {
  const ToolStatus status = StatusOf(editor.Tool(), editor.Format());
  StatusParts parts;
  if (editor.CanReopen()) {
    const UnfinishedTool& unfinished = *editor.Unfinished();
    parts.Notices.push_back("Unfinished tool \"" + unfinished.Name + "\" (" + numbers::IntegerText(unfinished.Elements) +
                            (unfinished.Elements == 1 ? " element" : " elements") + "): File \u2192 Reopen unfinished tool");
  }
  if (!editor.HistoryDamage().empty()) {
    parts.Notices.push_back("The saved unfinished tool could not be read: " + editor.HistoryDamage());
  }
  if (editor.UnwritableFolder()) {
    parts.Notices.emplace_back(kUnwritableFolderNotice);
  } else if (!editor.HistoryProblem().empty()) {
    parts.Notices.push_back("The tool under way cannot be saved for a later start: " + editor.HistoryProblem());
  }
  if (std::optional<std::string> notice = DuplicateNameNotice(editor)) parts.Notices.push_back(std::move(*notice));
  for (const std::string& notice : SizeNotices(editor)) parts.Notices.push_back(notice);
  if (withLimits) {
    if (std::optional<std::string> notice = LimitNotice(editor)) parts.Notices.push_back(std::move(*notice));
  }
  std::string& line = parts.Figures;
  line = "Elements " + numbers::IntegerText(status.Elements) + " of " +
         numbers::IntegerText(definition::ToolDefinition::kMaxElements) + " | Lines " +
         numbers::IntegerText(status.Lines) + " of " +
         numbers::IntegerText(definition::ToolDefinition::kMaxLines) + " | Length " + status.Length;
  if (const std::optional<sheet::ToolFigures> figures = FiguresOfTool(editor)) {
    const char separator = editor.Format().Separator();
    if (status.Tip && figures->WorkingLength) line += " | EWL " + numbers::FigureText(*figures->WorkingLength, 4, separator);
    line += " | \u03B4 " + (std::isfinite(figures->Bending) ? numbers::FixedText(figures->Bending, 2, separator) : "-") +
            " \u00B5m";
  }
  if (status.Tip) line += " | " + status.Tip->Kind + " \u00D8" + status.Tip->Diameter;
  parts.Folder = platform::PathText(editor.Scene().DefinitionPath().parent_path());
  return parts;
}

std::string StatusLine(const Editor& editor, bool withLimits) { return StatusPartsOf(editor, withLimits).Whole(); }

std::optional<std::string> ExportNotice(const Editor& editor) {
  const std::optional<ExportedBlock>& exported = editor.Exported();
  if (!exported) return std::nullopt;
  const std::filesystem::path& path = editor.Scene().DefinitionPath();
  const std::string_view itemLine = std::string_view(exported->Bytes).substr(0, exported->Bytes.find('\n'));
  std::string text = "Exported " + ShownName(definition::ItemName(itemLine).value_or("")) + " to " +
                     platform::PathText(path.filename());
  std::string file;
  if (!editor.Files().Read(path, file).IsOk()) return text + ".";
  // The exported tool is the one in its place when an edited tool was
  // replaced, otherwise the last one that reads its bytes.
  const std::string_view bytes(file);
  const std::vector<definition::BlockSpan> blocks = definition::ToolBlocks(bytes);
  const auto holds = [&](std::size_t i) {
    return bytes.substr(blocks[i].Begin, blocks[i].End - blocks[i].Begin) == exported->Bytes;
  };
  std::size_t position = 0;
  if (exported->EditedPosition && *exported->EditedPosition < blocks.size() && holds(*exported->EditedPosition)) {
    position = *exported->EditedPosition + 1;
  } else {
    for (std::size_t i = blocks.size(); i > 0 && position == 0; --i) {
      if (holds(i - 1)) position = i;
    }
  }
  const std::string otherEnds = definition::FindOtherLineEnds(bytes).Any()
                                    ? " " + platform::PathText(path.filename()) +
                                          " has line ends other than CR LF: tarvo-library check shows where."
                                    : "";
  if (position == 0) return text + "." + otherEnds;
  return text + " (tool " + numbers::IntegerText(static_cast<int>(position)) + " of " +
         numbers::IntegerText(static_cast<int>(blocks.size())) + ")." + otherEnds;
}

CopiedDefinition DefinitionToCopy(const Editor& editor) {
  if (editor.Tool().LineCount == 0) return {{}, "There is no definition to copy: start a tool with NEW TOOL."};
  if (editor.CanExport()) {
    // The file's bytes read back: a name is copied as EXPORT writes it.
    return {definition::FromWindows1252(definition::ToWindows1252(editor.ExportBlock())),
            "Copied the definition of " + NameOfTool(editor) + "."};
  }
  return {editor.Window().Text(ControlId::RTB_Tool),
          "Copied the definition of " + NameOfTool(editor) + " so far: it is not complete yet."};
}

std::string CopiedToolNotice(std::string_view name) { return "Copied the definition of " + ShownName(name) + "."; }

std::string SavedNotice(const Editor& editor, const std::string& file) {
  return "Saved " + NameOfTool(editor) + " as " + file + ".";
}

std::string SavedPictureNotice(const std::string& file) { return "Saved the preview as " + file + "."; }

std::string NoFileManagerMessage(const std::string& folder) {
  return "No program to open folders was found. The data folder is:\n\n" + folder;
}

}  // namespace tarvo::editor
