#include "library/assembly_tool.h"

#include <sstream>

#include "editor/editor.h"
#include "editor/messages.h"
#include "editor/status_line.h"
#include "library/tool_script.h"
#include "numbers/decimal_separator.h"
#include "scene/memory_file_system.h"
#include "scene/scene_view.h"
#include "script/replay_script.h"
#include "numbers/number_text.h"

namespace tarvo::library {
namespace {

// The editor's usrprobe.dat and its backup in `disk`, every other file in
// memory: the stack is typed as a user would, and only EXPORT reaches the
// data folder.
class ExportOnlyFiles final : public platform::FileSystem {
 public:
  explicit ExportOnlyFiles(platform::FileSystem& disk) : disk_(disk) {}
  platform::FileStatus Write(const std::filesystem::path& file, std::string_view bytes,
                             platform::Durability durability) override {
    return Of(file).Write(file, bytes, durability);
  }
  platform::FileStatus Append(const std::filesystem::path& file, std::string_view bytes,
                              platform::Durability durability) override {
    return Of(file).Append(file, bytes, durability);
  }
  platform::FileStatus Copy(const std::filesystem::path& from, const std::filesystem::path& to,
                            platform::Durability durability) override {
    return Of(to).Copy(from, to, durability);
  }
  platform::FileStatus Read(const std::filesystem::path& file, std::string& bytes) override {
    return Of(file).Read(file, bytes);
  }
  platform::FileStatus Stage(const std::filesystem::path& file, std::string_view bytes,
                             platform::Durability durability, platform::StagedFile& staged) override {
    return Of(file).Stage(file, bytes, durability, staged);
  }
  platform::FileStatus Commit(const platform::StagedFile& staged) override { return Of(staged.File).Commit(staged); }
  void Discard(const platform::StagedFile& staged) override { Of(staged.File).Discard(staged); }

 private:
  platform::FileSystem& Of(const std::filesystem::path& file) {
    const std::filesystem::path name = file.filename();
    return name == "usrprobe.dat" || name == "usrprobe_old.dat" ? disk_ : memory_;
  }
  platform::FileSystem& disk_;
  scene::MemoryFileSystem memory_;
};

// An editor in `directory` of `files`, loaded as at start-up, that answers
// its message boxes as the replay does.
struct TypingEditor {
  TypingEditor(platform::FileSystem& files, const std::filesystem::path& directory, char separator)
      : locale(std::string(1, separator)), editor(directory, files, view, messages, locale) {
    editor.Load();
  }
  // The reason when a line fails or a message box appears.
  std::string Run(std::string_view script) {
    const int status = replay::RunScript("stack", script, editor, messages, said, errors);
    if (!messages.Pending().empty()) return messages.Pending().front();
    if (status != replay::kOk) return errors.str() + said.str();
    return {};
  }
  scene::NoSceneView view;
  numbers::FixedLocaleQuery locale;
  std::ostringstream said, errors;
  replay::ReplayMessages messages{said};
  editor::Editor editor;
};

// The lines of a proven script between its "click Cmd_Add" and its EXPORT:
// the elements as they are typed.
std::string ElementLines(const RebuildScript& script) {
  const std::string_view add = "click Cmd_Add\n";
  const std::string body = script.UpToExport();
  const std::size_t at = body.find(add);
  return at == std::string::npos ? std::string() : body.substr(at + add.size());
}

// A line of the script that is the same for every part: "click Ob_Tip", ...
std::string LineStarting(const std::string& script, std::string_view start) {
  const std::size_t at = script.find("\n" + std::string(start));
  if (at == std::string::npos) return {};
  return script.substr(at + 1, script.find('\n', at + 1) - at);
}

}  // namespace

OneToolScript ScriptOfStack(const Library& library, const Stack& stack, std::string_view name) {
  OneToolScript result;
  if (!stack.IsWhole()) {
    result.Reason = "the assembly is not whole";
    return result;
  }
  if (stack.Profiles.size() > static_cast<std::size_t>(definition::ToolDefinition::kMaxElements)) {
    result.Reason = "the assembly has " + numbers::IntegerText(static_cast<int>(stack.Profiles.size())) +
                    " elements; one tool holds at most 50";
    return result;
  }
  if (name.find_first_of("\r\n") != std::string_view::npos) {
    result.Reason = "a tool's name is one line";
    return result;
  }
  std::string elements, connection, kind;
  for (std::size_t i = 0; i < stack.Tools.size(); ++i) {
    const Tool& tool = *stack.Tools[i];
    const RebuildScript part = DeriveScript(library, tool, i == 0 ? std::nullopt : std::optional(result.Separator));
    if (!part.Proven()) {
      result.Reason = "part " + numbers::IntegerText(static_cast<int>(i + 1)) + " is not rebuildable: " + part.Reason;
      return result;
    }
    if (i == 0) {
      result.Separator = part.Separator;
      connection = LineStarting(part.Script, "set Cb_Extension ");
    }
    kind = LineStarting(part.Script, "click Ob_");
    elements += ElementLines(part);
  }
  result.Script = "# --decimal-separator " + std::string(1, result.Separator) + "\nset Tb_ToolName " +
                  std::string(name) + "\n" + connection + "click Cmd_NewTool\n" + kind + "click Cmd_Add\n" +
                  elements + "click Cmd_Export\n";
  // Typed in memory first: the reason when the editor refuses, nothing written.
  scene::MemoryFileSystem files;
  TypingEditor typing(files, "stack", result.Separator);
  std::string refused = typing.Run(result.Script);
  if (refused == editor::kToolFullMessage) {
    refused = "the assembly needs more than 200 definition lines; one tool holds at most 200";
  }
  if (!refused.empty() || !typing.editor.Exported()) {
    result.Reason = refused.empty() ? "the typed tool was not exported" : refused;
    result.Script.clear();
    return result;
  }
  result.Block = typing.editor.Exported()->Bytes;
  return result;
}

WrittenTool WriteOneTool(platform::FileSystem& files, const std::filesystem::path& directory,
                         const OneToolScript& script) {
  ExportOnlyFiles routed(files);
  TypingEditor typing(routed, directory, script.Separator);
  WrittenTool written;
  const std::string_view all = script.Script;
  const std::size_t started = all.find("click Cmd_NewTool\n") + std::string_view("click Cmd_NewTool\n").size();
  written.Failure = typing.Run(all.substr(0, started));
  if (const std::optional<std::string> notice = editor::DuplicateNameNotice(typing.editor)) written.Notice = *notice;
  if (written.Failure.empty()) written.Failure = typing.Run(all.substr(started));
  if (written.Failure.empty() && !typing.editor.Exported()) written.Failure = "the tool was not exported";
  return written;
}

}  // namespace tarvo::library
