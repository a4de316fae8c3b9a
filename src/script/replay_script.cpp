#include "script/replay_script.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>

#include "editor/status_line.h"
#include "mesh/stl_file.h"

namespace tarvo::replay {
namespace {

using editor::ControlId;
using editor::ControlKind;

// A line that cannot be performed, or an expectation that does not hold.
struct Problem {
  int Status = kOk;
  std::string What;
};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The first word and what follows the one blank after it.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view text) {
  const std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return {text, {}};
  return {text.substr(0, blank), text.substr(blank + 1)};
}

bool IsSettable(ControlId id) {
  using enum ControlId;
  return id == Tb_ToolName || id == Cb_Extension || id == Cb_Edges || id == Tb_Diam ||
         id == Tb_Diam2 || id == Tb_Height || id == Tb_LengthMin;
}

bool IsClickable(ControlId id) {
  const ControlKind kind = editor::Row(id).Kind;
  return kind == ControlKind::CommandButton || kind == ControlKind::OptionButton ||
         kind == ControlKind::CheckBox;
}

class Runner {
 public:
  Runner(editor::Editor& editor, ReplayMessages& messages, std::ostream& out)
      : editor_(editor), messages_(messages), out_(out) {}

  std::optional<Problem> Perform(std::string_view line);

 private:
  const editor::WindowModel& Window() const { return editor_.Window(); }
  std::optional<Problem> Control(std::string_view name, ControlId& id) const;
  std::optional<Problem> Usable(ControlId id) const;
  std::optional<Problem> Expect(std::string_view rest);
  std::optional<Problem> ExpectState(ControlId id, std::string_view name, std::string_view rest);
  std::optional<Problem> ExportStl(std::string_view path);

  editor::Editor& editor_;
  ReplayMessages& messages_;
  std::ostream& out_;
};

Problem ScriptError(std::string what) { return {kScriptError, std::move(what)}; }

// A fixed form ends with its last word: nothing, not even a blank, follows
// `word`, which begins `text`.
std::optional<Problem> NothingAfter(std::string_view word, std::string_view text) {
  if (text.size() == word.size()) return std::nullopt;
  if (text.substr(word.size()) == " ") {
    return ScriptError("a blank after " + Quoted(word) + " ends the line");
  }
  return ScriptError("unexpected text after " + Quoted(word));
}

Problem Unexpected(std::string what) { return {kExpectationFailed, "expected " + std::move(what)}; }

std::optional<Problem> Runner::Control(std::string_view name, ControlId& id) const {
  if (name.empty()) return ScriptError("a control name is missing");
  const auto found = editor::FindControl(name);
  if (!found || *found == ControlId::Form1) return ScriptError("unknown control " + std::string(name));
  id = *found;
  return std::nullopt;
}

std::optional<Problem> Runner::Usable(ControlId id) const {
  const std::string name(editor::Row(id).Name);
  if (!Window().IsShown(id)) return ScriptError(name + " is hidden");
  if (!Window().State(id).Enabled) return ScriptError(name + " is disabled");
  return std::nullopt;
}

std::optional<Problem> Runner::Perform(std::string_view line) {
  const auto [command, rest] = SplitWord(line);
  ControlId id{};
  if (command == "set") {
    const auto [name, text] = SplitWord(rest);
    if (auto problem = Control(name, id)) return problem;
    if (!IsSettable(id)) return ScriptError("cannot type into " + std::string(name));
    if (auto problem = Usable(id)) return problem;
    editor_.Type(id, std::string(text));
    return std::nullopt;
  }
  if (command == "pick") {
    const auto [name, number] = SplitWord(rest);
    if (auto problem = Control(name, id)) return problem;
    if (id != ControlId::Cb_Extension && id != ControlId::Cb_Edges) {
      return ScriptError(std::string(name) + " has no list");
    }
    std::size_t index = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), index);
    const std::size_t count = Window().State(id).Items.size();
    if (number.empty() || ec != std::errc() || end != number.data() + number.size() || index < 1 ||
        index > count) {
      return ScriptError("no item " + Quoted(number) + " in the list of " + std::string(name));
    }
    if (auto problem = Usable(id)) return problem;
    editor_.Pick(id, index - 1);
    return std::nullopt;
  }
  if (command == "click") {
    if (auto problem = Control(rest, id)) return problem;
    if (!IsClickable(id)) return ScriptError("cannot click " + std::string(rest));
    if (auto problem = Usable(id)) return problem;
    editor_.Click(id);
    return std::nullopt;
  }
  if (command == "expect") return Expect(rest);
  if (command == "export-stl") return ExportStl(rest);
  if (command == "print") {
    if (rest == "status") {
      out_ << editor::StatusLine(editor_) << '\n';
      return std::nullopt;
    }
    if (auto problem = Control(rest, id)) return problem;
    const std::string& text = Window().Text(id);
    out_ << text;
    if (text.empty() || text.back() != '\n') out_ << '\n';
    return std::nullopt;
  }
  return ScriptError("unknown command " + Quoted(command));
}

std::optional<Problem> Runner::Expect(std::string_view rest) {
  const auto [first, argument] = SplitWord(rest);
  std::deque<std::string>& pending = messages_.Pending();
  if (first == "no-message") {
    if (auto problem = NothingAfter(first, rest)) return problem;
    if (pending.empty()) return std::nullopt;
    return Unexpected("no message, found " + Quoted(pending.front()));
  }
  if (first == "message") {
    if (pending.empty()) return Unexpected("message " + Quoted(argument) + ", found none");
    std::string shown = std::move(pending.front());
    pending.pop_front();
    if (shown == argument) return std::nullopt;
    return Unexpected("message " + Quoted(argument) + ", found " + Quoted(shown));
  }
  ControlId id{};
  if (first == "focus") {
    if (auto problem = Control(argument, id)) return problem;
    const ControlId focus = Window().Focus();
    if (focus == id) return std::nullopt;
    return Unexpected("focus " + std::string(argument) + ", found " +
                      std::string(editor::Row(focus).Name));
  }
  if (auto problem = Control(first, id)) return problem;
  return ExpectState(id, first, argument);
}

std::optional<Problem> Runner::ExpectState(ControlId id, std::string_view name, std::string_view rest) {
  const auto [what, text] = SplitWord(rest);
  const std::string subject = std::string(name) + " ";
  const auto check = [&](bool holds, std::string_view yes, std::string_view no,
                         bool wanted) -> std::optional<Problem> {
    if (holds == wanted) return std::nullopt;
    return Unexpected(subject + std::string(wanted ? yes : no) + ", found " +
                      std::string(holds ? yes : no));
  };
  const editor::ControlState& state = Window().State(id);
  if (what == "text") {
    if (state.Text == text) return std::nullopt;
    return Unexpected(subject + "text " + Quoted(text) + ", found " + Quoted(state.Text));
  }
  if (auto problem = NothingAfter(what, rest)) return problem;
  if (what == "visible" || what == "hidden") {
    return check(Window().IsShown(id), "visible", "hidden", what == "visible");
  }
  if (what == "enabled" || what == "disabled") {
    return check(state.Enabled, "enabled", "disabled", what == "enabled");
  }
  if (what == "selected" || what == "unselected") {
    const ControlKind kind = editor::Row(id).Kind;
    if (kind != ControlKind::OptionButton && kind != ControlKind::CheckBox) {
      return ScriptError(std::string(name) + " cannot be selected");
    }
    return check(state.Selected, "selected", "unselected", what == "selected");
  }
  return ScriptError("unknown expectation " + Quoted(what));
}

// Writes the current tool as a binary STL, through the editor's file system.
std::optional<Problem> Runner::ExportStl(std::string_view path) {
  if (path.empty()) return ScriptError("export-stl needs a file name");
  const mesh::StlExport result = mesh::ExportStl(editor_.Files(), std::filesystem::path(path), editor_.Tool().Text());
  if (result.IsWritten()) return std::nullopt;
  return Problem{result.Result == mesh::StlExport::Code::WriteFailed ? kFileFailed : kScriptError, result.Message};
}

}  // namespace

void ReplayMessages::Show(std::string_view text, std::string_view /*title*/) {
  out_ << "message: " << text << '\n' << std::flush;
  pending_.emplace_back(text);
}

int RunScript(std::string_view scriptName, std::string_view script, editor::Editor& editor,
              ReplayMessages& messages, std::ostream& out, std::ostream& err) {
  Runner runner(editor, messages, out);
  int number = 0;
  while (!script.empty()) {
    const std::size_t end = script.find('\n');
    std::string_view line = script.substr(0, end);
    script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (const std::optional<Problem> problem = runner.Perform(line)) {
      out << std::flush;
      err << scriptName << ':' << number << ": " << problem->What << '\n';
      return problem->Status;
    }
    if (editor.Closed()) return kOk;
  }
  return editor.FileFailures() > 0 ? kFileFailed : kOk;
}

}  // namespace tarvo::replay
