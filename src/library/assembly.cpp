#include "library/assembly.h"

#include <algorithm>

#include "definition/code_page.h"
#include "definition/tool_names.h"
#include "library/tool_selection.h"
#include "mesh/tool_solids.h"
#include "numbers/number_text.h"

namespace tarvo::library {
namespace {

// A connection word as the check compares it: without blanks at its ends,
// upper case (the words are ASCII: TARVO1, M2, ...).
std::string Word(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  std::string word(text);
  for (char& c : word) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return word;
}

std::string KindPhrase(ToolKind kind) { return kind == ToolKind::Tip ? "a tip" : "a polygonal tool"; }

}  // namespace

std::optional<PartRef> ReadPart(std::string_view text, std::string* error) {
  PartRef part;
  if (const std::size_t colon = text.rfind(':'); colon != std::string_view::npos) {
    if (const std::optional<sheet::Material> stem = sheet::MaterialNamed(text.substr(colon + 1))) {
      part.Stem = *stem;
      part.StemGiven = true;
      text = text.substr(0, colon);
    } else if (text.substr(colon + 1).find_first_not_of("abcdefghijklmnopqrstuvwxyz-") == std::string_view::npos) {
      // "EX:" or "EX:brass": a material was meant.
      if (error) *error = "unknown material " + std::string(text.substr(colon + 1));
      return std::nullopt;
    }
  }
  if (const std::size_t hash = text.rfind('#'); hash != std::string_view::npos) {
    if (const std::optional<int> position = ReadPosition(text.substr(hash + 1))) {
      part.Position = position;
      text = text.substr(0, hash);
    }
  }
  part.Name = std::string(text);
  if (definition::NameAsRead(part.Name).empty()) {
    if (error) *error = "a part needs the name of a tool";
    return std::nullopt;
  }
  return part;
}

std::string PartText(const PartRef& part) {
  std::string text = part.Name;
  if (part.Position) text += "#" + numbers::IntegerText(*part.Position);
  if (part.StemGiven) text += ":" + std::string(sheet::DataOf(part.Stem).Key);
  return text;
}

Stack StackOf(const Library& library, const std::vector<PartRef>& parts) {
  Stack stack;
  double face = 0;  // the next part's mounting face: z, down from 0
  const Tool* above = nullptr;
  std::string aboveName;
  for (const PartRef& part : parts) {
    std::string name = part.Name;
    if (part.Position) name += "#" + numbers::IntegerText(*part.Position);
    const ToolSelection selection = SelectTool(library, part.Name, part.Position);
    const Tool* tool = selection.Found;
    if (above != nullptr && above->Kind != ToolKind::Extension) {
      stack.Refusals.push_back(aboveName + " is " + KindPhrase(above->Kind) +
                               ": only an extension may have a part below it");
    }
    stack.Tools.push_back(tool);
    stack.Joints.push_back(face);
    stack.FirstElement.push_back(stack.Profiles.size());
    if (tool == nullptr) {
      if (selection.Error.starts_with("several tools")) {
        stack.Refusals.push_back(selection.Error.substr(0, selection.Error.find(':')) + ": name one as " +
                                 part.Name + "#K");
      } else {
        stack.Missing.push_back(name + " is not in usrprobe.dat any more");
      }
      above = nullptr;
      aboveName.clear();
      continue;
    }
    if (above != nullptr && Word(above->Connection) != Word(tool->Connection)) {
      stack.Notices.push_back(aboveName + " ends in " + definition::FromWindows1252(above->Connection) + "; " +
                              name + " needs " + definition::FromWindows1252(tool->Connection) +
                              ": an adapter is needed");
    }
    const mesh::ToolSolids solids = mesh::ReadToolSolids(library.Block(*tool));
    if (!solids.Error.empty() || solids.Solids.empty()) {
      stack.Refusals.push_back(name + ": " + (solids.Error.empty() ? "the tool has no element" : solids.Error));
    }
    double lowest = 0;
    for (sheet::ElementProfile profile : sheet::ProfilesOf(solids.Solids)) {
      lowest = std::min(lowest, profile.BottomZ);
      profile.TopZ += face;
      profile.BottomZ += face;
      profile.Stem = part.Stem;
      stack.Profiles.push_back(profile);
    }
    face += lowest;
    above = tool;
    aboveName = name;
  }
  return stack;
}

sheet::ToolFigures StackFigures(const Stack& stack, std::optional<sheet::Material> tip, double force) {
  return sheet::FiguresOf(stack.Profiles, sheet::MaterialChoice{sheet::Material::Steel, tip}, force);
}

std::string ConnectionLine(const Stack& stack) {
  if (stack.Notices.empty()) return "connection\tok\n";
  std::string line = "connection\t";
  for (std::size_t i = 0; i < stack.Notices.size(); ++i) line += (i ? "; " : "") + stack.Notices[i];
  return line + "\n";
}

}  // namespace tarvo::library
