#include "script/replay_script.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>

#include "editor/status_line.h"
#include "script/nearest_name.h"
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
  std::optional<Problem> HistoryLine(std::string_view line);
  std::optional<Problem> InDialog(std::string_view command, std::string_view rest);
  // What the user sees of a control: the element dialog's own while it is open.
  editor::ControlState Seen(ControlId id, bool& shown) const;

  editor::Editor& editor_;
  ReplayMessages& messages_;
  std::ostream& out_;
};

Problem ScriptError(std::string what) { return {kScriptError, std::move(what)}; }

// The 0-based position of item NUMBER (1-based, digits only) of a list of COUNT items.
std::optional<std::size_t> ListItem(std::string_view number, std::size_t count) {
  std::size_t index = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), index);
  if (number.empty() || ec != std::errc() || end != number.data() + number.size() || index < 1 ||
      index > count) {
    return std::nullopt;
  }
  return index - 1;
}

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
  if (!found || *found == ControlId::Form1) {
    std::vector<std::string_view> names;
    for (const editor::ControlRow& row : editor::kControls) {
      if (row.Id != ControlId::Form1) names.push_back(row.Name);
    }
    return ScriptError("unknown control " + std::string(name) + ", the nearest is " +
                       std::string(NearestName(name, names)));
  }
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
  if (const std::optional<editor::Question>& question = editor_.Asking();
      question && command != "expect" && command != "print") {
    if (command != "click" || !editor_.Answer(rest)) {
      std::string buttons;
      for (const std::string& button : question->Buttons) buttons += (buttons.empty() ? "click " : ", click ") + button;
      return ScriptError("a message box asks: only " + buttons);
    }
    return std::nullopt;
  }
  if (editor_.Dialog() && command != "expect" && command != "print") return InDialog(command, rest);
  if (command == "undo" || command == "redo" || command == "change-element" ||
      command == "insert-element" || command == "remove-element") {
    return HistoryLine(line);
  }
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
    const auto index = ListItem(number, Window().State(id).Items.size());
    if (!index) return ScriptError("no item " + Quoted(number) + " in the list of " + std::string(name));
    if (auto problem = Usable(id)) return problem;
    editor_.Pick(id, *index);
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
    if (rest == "history") {
      const std::vector<editor::Step>& steps = editor_.Steps().Steps();
      for (std::size_t i = 0; i < steps.size(); ++i) {
        out_ << (i < editor_.Steps().Position() ? "" : "undone: ") << editor::StepLine(steps[i]) << '\n';
      }
      return std::nullopt;
    }
    if (auto problem = Control(rest, id)) return problem;
    bool shown = false;
    const std::string text = Seen(id, shown).Text;
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
    const ControlId focus = editor_.Dialog() ? editor_.Dialog()->Focus : Window().Focus();
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
  bool shown = false;
  const editor::ControlState state = Seen(id, shown);
  if (what == "text") {
    if (state.Text == text) return std::nullopt;
    return Unexpected(subject + "text " + Quoted(text) + ", found " + Quoted(state.Text));
  }
  if (auto problem = NothingAfter(what, rest)) return problem;
  if (what == "visible" || what == "hidden") {
    return check(shown, "visible", "hidden", what == "visible");
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

// The element dialog shows the controls of Step 4's frame in place of the window's.
bool InDialogFrame(ControlId id) { return editor::Row(id).Container == ControlId::Frame_ToolData; }

editor::ControlState Runner::Seen(ControlId id, bool& shown) const {
  const std::optional<editor::ElementDialog>& dialog = editor_.Dialog();
  if (!dialog || !InDialogFrame(id)) {
    shown = Window().IsShown(id);
    return Window().State(id);
  }
  shown = dialog->IsShown(id);
  editor::ControlState state;
  state.Visible = shown;
  state.Text = dialog->Text(id);
  state.Selected = id == ControlId::Cb_Disk && dialog->Element.Disk;
  return state;
}

// A whole number from 1 that fills `text`.
std::optional<int> ElementNumber(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
  return value;
}

std::optional<Problem> Runner::HistoryLine(std::string_view line) {
  const auto [command, rest] = SplitWord(line);
  if (command == "undo" || command == "redo") {
    if (auto problem = NothingAfter(command, line)) return problem;
    const bool done = command == "undo" ? editor_.Undo() : editor_.Redo();
    if (!done) return ScriptError("nothing to " + std::string(command));
    return std::nullopt;
  }
  const auto [number, type] = SplitWord(rest);
  const std::optional<int> k = ElementNumber(number);
  if (!k) return ScriptError(std::string(command) + " needs an element number from 1, not " + Quoted(number));
  const std::optional<editor::ToolUnderWay> tool = editor_.Underway();
  const int count = tool ? static_cast<int>(tool->Elements.size()) : 0;
  if (command == "insert-element") {
    const std::optional<std::string> kind = editor::ElementKindOfType(type);
    if (!kind) return ScriptError("unknown element type " + Quoted(type));
    if (!tool || !tool->Kind) return ScriptError("no tool kind is chosen yet");
    if (*k > count + 1) return ScriptError("no element " + std::string(number) + " to insert above");
    if (!editor_.OpenInsert(*k, *kind)) return ScriptError("this kind of tool offers no " + std::string(type));
    return std::nullopt;
  }
  if (rest.size() != number.size()) return ScriptError("unexpected text after " + Quoted(number));
  if (*k > count) return ScriptError("no element " + std::string(number));
  if (command == "change-element") editor_.OpenChange(*k);
  if (command == "remove-element") editor_.RemoveElement(*k);
  return std::nullopt;
}

std::optional<Problem> Runner::InDialog(std::string_view command, std::string_view rest) {
  const std::optional<editor::ElementDialog>& dialog = editor_.Dialog();
  if (command == "click" && (rest == "Ok" || rest == "Cancel")) {
    if (rest == "Ok") {
      editor_.DialogOk();
    } else {
      editor_.DialogCancel();
    }
    return std::nullopt;
  }
  if (command != "set" && command != "pick" && command != "click") {
    return ScriptError("the element dialog is open: only its fields, Ok and Cancel");
  }
  const auto [name, text] = SplitWord(rest);
  ControlId id{};
  if (auto problem = Control(command == "click" ? rest : name, id)) return problem;
  if (!InDialogFrame(id)) return ScriptError(std::string(editor::Row(id).Name) + " is not in the element dialog");
  if (!dialog->IsShown(id)) return ScriptError(std::string(editor::Row(id).Name) + " is hidden");
  if (command == "click") {
    if (id != ControlId::Cb_Disk) return ScriptError("cannot click " + std::string(rest));
    editor_.ToggleDiskInDialog();
  } else if (command == "set") {
    if (!IsSettable(id)) return ScriptError("cannot type into " + std::string(name));
    editor_.TypeInDialog(id, std::string(text));
  } else {
    const auto index = ListItem(text, Window().State(ControlId::Cb_Edges).Items.size());
    if (id != ControlId::Cb_Edges || !index) {
      return ScriptError("no item " + Quoted(text) + " in the list of " + std::string(name));
    }
    editor_.PickInDialog(id, *index);
  }
  return std::nullopt;
}

// Writes the current tool as a binary STL, through the editor's file system.
std::optional<Problem> Runner::ExportStl(std::string_view path) {
  if (path.empty()) return ScriptError("export-stl needs a file name");
  const mesh::StlExport result = mesh::ExportStl(editor_.Files(), std::filesystem::path(path), editor_.Tool().Text());
  if (result.IsWritten()) return std::nullopt;
  return Problem{result.Result == mesh::StlExport::Code::WriteFailed ? kFileFailed : kScriptError, result.Message};
}

std::string_view OptionName(std::string_view elementKind) {
  if (elementKind == "Cone" || elementKind == "Polygon") return "Ob_Cone";
  if (elementKind == "Sphere" || elementKind == "Complex") return "Ob_Sphere";
  return "Ob_Cylinder";
}

}  // namespace

std::string ScriptOf(const std::vector<editor::Step>& steps) {
  using editor::StepKind;
  constexpr std::string_view kKindOptions[] = {"Ob_Tip", "Ob_Extend", "Ob_Polyg"};
  std::string script;
  for (const editor::Step& step : steps) {
    switch (step.Kind) {
      case StepKind::NewTool:
        script += "set Tb_ToolName " + step.Name + "\nset Cb_Extension " + step.Extension +
                  "\nclick Cmd_NewTool\n";
        break;
      case StepKind::AddElement:
        script += "click " + std::string(kKindOptions[static_cast<std::size_t>(step.Tool)]) + "\nclick Cmd_Add\n";
        break;
      case StepKind::Confirm:
        script += "click " + std::string(OptionName(step.Element.Kind)) + "\n";
        if (step.Element.Disk) script += "click Cb_Disk\n";
        for (ControlId field : editor::FieldsOf(step.Element)) {
          script += "set " + std::string(editor::Row(field).Name) + " " + editor::FieldText(step.Element, field) + "\n";
        }
        script += "click Cmd_Confirm\n";
        break;
      case StepKind::DeleteLast: script += "click Cmd_DelLast\n"; break;
      case StepKind::DeleteAll: script += "click Cmd_DelAll\n"; break;
      default: break;  // not a plain step
    }
  }
  return script;
}

void ReplayMessages::Show(std::string_view text, std::string_view /*title*/) {
  out_ << "message: " << text << '\n' << std::flush;
  pending_.emplace_back(text);
}

void ReplayMessages::Ask(const editor::Question& question) {
  out_ << "message: " << question.Text;
  for (const std::string& button : question.Buttons) out_ << " [" << button << ']';
  out_ << '\n' << std::flush;
  pending_.push_back(question.Text);
}

int RunScript(std::string_view scriptName, std::string_view script, editor::Editor& editor,
              ReplayMessages& messages, std::ostream& out, std::ostream& err) {
  Runner runner(editor, messages, out);
  int number = 0;
  bool asked = false;  // the open question was written
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
    if (editor.Asking() && !asked) messages.Ask(*editor.Asking());
    asked = editor.Asking().has_value();
    if (editor.Closed()) return kOk;
  }
  return editor.FileFailures() > 0 ? kFileFailed : kOk;
}

}  // namespace tarvo::replay
