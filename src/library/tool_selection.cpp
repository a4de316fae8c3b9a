#include "library/tool_selection.h"

#include <vector>

#include "definition/code_page.h"
#include "definition/tool_names.h"
#include "numbers/number_text.h"

namespace tarvo::library {
namespace {

// Names compare as a reader of the file sees them, without blanks at their ends.
bool Named(const Tool& tool, std::string_view name) {
  const std::string_view held = definition::NameAsRead(tool.Name);
  name = definition::NameAsRead(name);
  return held == name || definition::FromWindows1252(held) == name;
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

std::string Number(double value) { return numbers::SingleText(static_cast<float>(value), '.'); }

}  // namespace

ToolSelection SelectTool(const Library& library, std::string_view name,
                         std::optional<int> position) {
  const std::string quoted = "\"" + std::string(name) + "\"";
  if (position) {
    if (*position < 1 || *position > static_cast<int>(library.Tools.size())) {
      return {nullptr, "there is no tool " + std::to_string(*position) + ": usrprobe.dat holds " +
                           std::to_string(library.Tools.size()) + " tools"};
    }
    const Tool& tool = library.Tools[static_cast<std::size_t>(*position - 1)];
    if (!Named(tool, name)) {
      return {nullptr, "tool " + std::to_string(*position) + " is named \"" +
                           definition::FromWindows1252(tool.Name) + "\", not " + quoted};
    }
    return {&tool, {}};
  }
  std::vector<const Tool*> named;
  for (const Tool& tool : library.Tools) {
    if (Named(tool, name)) named.push_back(&tool);
  }
  if (named.size() == 1) return {named.front(), {}};
  if (named.empty()) {
    if (library.Tools.empty())
      return {nullptr, "no tool named " + quoted + ": usrprobe.dat holds no tools"};
    std::vector<std::string> names;
    for (const Tool& tool : library.Tools) names.push_back(definition::FromWindows1252(tool.Name));
    return {nullptr, "no tool named " + quoted + "; the tools are: " + Joined(names)};
  }
  std::vector<std::string> positions;
  for (const Tool* tool : named) positions.push_back(std::to_string(tool->Position));
  return {nullptr, "several tools are named " + quoted + ", at positions " + Joined(positions) +
                       ": choose one with --index K"};
}

std::string ListLine(const Tool& tool) {
  const std::optional<double> length = tool.Length();
  std::string tip = "-";
  if (const Element* element = tool.Tip()) {
    tip = (element->Type == ElementType::Ball ? "ball " : "disk ") + Number(element->Diameter);
  }
  return std::to_string(tool.Position) + "\t" + definition::FromWindows1252(tool.Name) + "\t" +
         definition::FromWindows1252(tool.Connection) + "\t" +
         std::string(KindWord(tool.Kind)) + "\t" + std::to_string(tool.Elements.size()) + "\t" +
         (length ? Number(*length) : "-") + "\t" + tip + "\n";
}

std::string CheckLines(const Tool& tool) {
  std::string lines;
  for (const Problem& problem : tool.Problems) {
    lines += std::to_string(tool.Position) + "\t" + definition::FromWindows1252(tool.Name) + "\t" +
             std::to_string(problem.Line) + "\t" + problem.Text + "\n";
  }
  return lines;
}

std::optional<int> ReadPosition(std::string_view text) {
  if (text.empty() || text.size() > 9 ||
      text.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  return std::stoi(std::string(text));
}

}  // namespace tarvo::library
