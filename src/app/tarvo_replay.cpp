// tarvo-replay: runs the tool editor without a window, performing the user's
// actions read from a script.
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <utility>

#include "script/replay_script.h"
#include "editor/editor.h"
#include "library/library_changes.h"
#include "library/tool_selection.h"
#include "numbers/decimal_separator.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "platform/process.h"
#include "platform/text.h"
#include "scene/scene_view.h"

namespace {

constexpr const char* kUsage = R"(Usage: tarvo-replay [--dir DIR] [--decimal-separator SEP] [--edit NAME [--index K]] SCRIPT

Runs the tool editor without a window: starts it as the window does, then
performs the user's actions read from SCRIPT (- reads standard input), and
leaves usrprobe.dat, usrprobe_old.dat, Taster.wrl and Taster_Old.wrl in DIR.

  --dir DIR                 the directory of the four files (default: .)
  --decimal-separator SEP   . or , in place of the user locale's separator
  --edit NAME               first load that tool of usrprobe.dat for editing:
                            its EXPORT then replaces the tool in place; without
                            --decimal-separator the tool's own separator is used;
                            while an unfinished tool is offered, the script's
                            first line answers whether to discard it: click
                            Discard, click Reopen or click Cancel
  --index K                 with --edit: the K-th tool of the file
  --help, --version

Script lines (empty lines and lines starting with # are ignored):
  set CONTROL TEXT          type TEXT into a text or combo box
  pick CONTROL N            choose item N (from 1) of Cb_Extension or Cb_Edges
  click CONTROL             click a Cmd_ button, an Ob_ option or Cb_Disk
  expect CONTROL visible|hidden|enabled|disabled|selected|unselected
  expect CONTROL text TEXT  the control's text or caption
  expect focus CONTROL
  expect message TEXT       the oldest message box not yet expected
  expect no-message
  print CONTROL
  print status              the window's status line: elements, lines, length,
                            tip, folder
  export-stl PATH           write the current tool to PATH as a binary STL;
                            a failure to write ends the run with status 3
  undo, redo                take back the last step of the tool, or do it again
  change-element K          open the change dialog of element K (from the top)
  insert-element K TYPE     the dialog for a new element above K: cylinder,
                            cone, sphere, polygon or two-level-polygon
  remove-element K          remove element K
  click Ok, click Cancel    close the dialog; while it is open only set, pick,
                            click Cb_Disk, expect and print are performed
  click Reopen, click Discard, click Cancel
                            answer NEW TOOL's question before it discards
                            the unfinished tool that a start offers
  print history             the tool's steps, one a line

Control names, by step of the window (a tip ends in a ball or a disk, an
extension holds cylinders only, a polygonal tool cylinders and polygons):
  Tb_ToolName    Step 1: the tool's name
  Cb_Extension   Step 1: the connection type (pick 1 to 5, or set a text)
  Cmd_NewTool    Step 1: NEW TOOL
  Ob_Tip         Step 2: the kind TIP
  Ob_Extend      Step 2: the kind EXTENSION
  Ob_Polyg       Step 2: the kind POLYGONAL
  Cmd_Add        Step 2: ADD ELEMENT
  Ob_Cylinder    Step 3: CYLINDER, in every kind
  Ob_Cone        Step 3: CONE in a tip, POLYGON in a polygonal tool
  Ob_Sphere      Step 3: SPHERE OR DISK in a tip, 2 LEVELS POLYGON in a
                 polygonal tool
  Cb_Disk        Step 3: DISK, the tip's sphere made a disk
  Tb_Diam        Step 4: the diameter of a cylinder, a ball or a disk, the
                 upper one of a cone
  Tb_Diam2       Step 4: a cone's minor diameter, a polygon's edge length, a
                 two-level polygon's upper edge length
  Cb_Edges       Step 4: a polygon's number of edges (pick 1 to 15 for 3 to
                 16 and 30, or set a number)
  Tb_LengthMin   Step 4: a two-level polygon's lower edge length
  Tb_Height      Step 4: the height of every element but a ball
  Cmd_Confirm    Step 4: CONFIRM
  Cmd_DelLast, Cmd_DelAll, Cmd_Export, Cmd_Exit
                 DELETE LAST, DELETE ALL, EXPORT, EXIT
  RTB_Tool       the definition pane (expect, print)
  Lbl_ElemType, Lbl_Diam, Lbl_Diam2, Lbl_Height, Lbl_LengthMin
                 the captions of Step 4 (expect, print)

Only one editor works on a folder at a time: when another one holds DIR, the
replay waits up to 5 seconds for it, then gives up with status 3.

Exit status, as for every TARVO Tools program: 0 done, 2 a wrong command line,
3 a file or folder that cannot be read or written (another editor working on
DIR included). Besides: 1 an expectation failed, 2 also a script line that
could not be performed, 4 the tool to edit is not rebuildable.
)";

constexpr int kNotRebuildable = 4;

// The first line that is not empty or a comment, with its number, taken from
// the script (left as an empty line, so that later lines keep their numbers).
std::pair<int, std::string> TakeFirstLine(std::string& script) {
  int number = 0;
  for (std::size_t at = 0; at < script.size();) {
    std::size_t end = script.find('\n', at);
    if (end == std::string::npos) end = script.size();
    ++number;
    std::string line = script.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() != '#') {
      script.erase(at, end - at);
      return {number, line};
    }
    at = end + 1;
  }
  return {number + 1, ""};
}

// A wrong command line: what is wrong in one line, then where the usage is.
int UsageError(const std::string& what) {
  std::cerr << "tarvo-replay: " << what << "\nTry 'tarvo-replay --help'.\n";
  return tarvo::replay::kScriptError;
}

// A file or folder that cannot be read or written.
int FileError(const std::string& what) {
  std::cerr << "tarvo-replay: " << what << "\n";
  return tarvo::replay::kFileFailed;
}

}  // namespace

int main(int argc, char** argv) {
  tarvo::platform::UseBinaryStandardStreams();
  const std::vector<std::string> args = tarvo::platform::Utf8Arguments(argc, argv);
  std::filesystem::path directory = ".";
  std::optional<std::string> separator;
  std::optional<std::string> scriptName;
  std::optional<std::string> editName;
  std::optional<int> editIndex;
  for (int i = 1; i < argc; ++i) {
    const std::string& arg = args[i];
    if (arg == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if (arg == "--version") {
      std::cout << "tarvo-replay " << TARVO_VERSION << "\n";
      return 0;
    }
    if (arg == "--dir" && i + 1 < argc) {
      directory = tarvo::platform::PathFromText(args[++i]);
    } else if (arg == "--decimal-separator" && i + 1 < argc) {
      separator = args[++i];
    } else if (arg == "--edit" && i + 1 < argc) {
      editName = args[++i];
    } else if (arg == "--index" && i + 1 < argc) {
      editIndex = tarvo::library::ReadPosition(args[++i]);
      if (!editIndex) return UsageError("--index takes a position from 1");
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      return UsageError("unknown option " + arg);
    } else if (scriptName) {
      return UsageError("only one script may be given");
    } else {
      scriptName = arg;
    }
  }
  if (!scriptName) return UsageError("no script given");
  if (editIndex && !editName) return UsageError("--index goes with --edit");
  if (separator && *separator != "." && *separator != ",") {
    return UsageError("the decimal separator must be . or ,");
  }
  std::error_code error;
  if (!std::filesystem::is_directory(directory, error)) {
    return FileError("no directory " + tarvo::platform::PathText(directory));
  }

  tarvo::platform::DiskFileSystem files;
  std::string script;
  if (*scriptName == "-") {
    script.assign(std::istreambuf_iterator<char>(std::cin), {});
  } else if (const tarvo::platform::FileStatus read =
                 files.Read(tarvo::platform::PathFromText(*scriptName), script);
             !read.IsOk()) {
    return FileError("cannot read " + *scriptName + ": " + read.Reason);
  }

  const tarvo::platform::FolderLock lock =
      tarvo::platform::LockForCommandLine(directory, "tarvo-replay", std::cerr);
  if (lock.IsBusy()) return tarvo::platform::kFolderBusyStatus;
  tarvo::library::Library library;
  const tarvo::library::Tool* edited = nullptr;
  tarvo::library::RebuildScript rebuild;
  if (editName) {
    const tarvo::platform::FileStatus read = tarvo::library::LoadLibrary(files, directory, library);
    if (!read.IsOk()) return FileError(tarvo::platform::PathText(directory / "usrprobe.dat") + ": " + read.Reason);
    const tarvo::library::ToolSelection selection = tarvo::library::SelectTool(library, *editName, editIndex);
    if (selection.Found == nullptr) return UsageError(selection.Error);
    edited = selection.Found;
    rebuild = tarvo::library::DeriveScript(
        library, *edited, separator ? std::optional<char>((*separator)[0]) : std::nullopt);
    if (!rebuild.Proven()) {
      std::cerr << "tarvo-replay: tool " << *editName << " is not rebuildable: " << rebuild.Reason << "\n";
      return kNotRebuildable;
    }
    if (!separator) separator = std::string(1, rebuild.Separator);
  }

  tarvo::numbers::SystemLocaleQuery systemLocale;
  tarvo::numbers::FixedLocaleQuery fixedLocale(separator);
  tarvo::numbers::LocaleQuery& locale =
      separator ? static_cast<tarvo::numbers::LocaleQuery&>(fixedLocale) : systemLocale;
  tarvo::scene::NoSceneView view;
  tarvo::replay::ReplayMessages messages(std::cout);
  tarvo::editor::Editor editor(directory, files, view, messages, locale);
  editor.Load();
  bool discard = false;
  if (edited != nullptr) {
    if (const std::optional<tarvo::editor::Question> question = editor.DiscardQuestion()) {
      // The edit would discard the unfinished tool: the script's first line answers.
      messages.Ask(*question);
      const auto [number, answer] = TakeFirstLine(script);
      if (answer == "click Reopen") editor.ReopenUnfinished();
      discard = answer == "click Discard";
      if (!discard && answer != "click Reopen" && answer != "click Cancel") {
        std::cerr << *scriptName << ':' << number << ": a message box asks: only click Reopen, click Discard, click Cancel\n";
        return tarvo::replay::kScriptError;
      }
      if (!discard) edited = nullptr;
    }
  }
  if (edited != nullptr) {
    const std::string reason = tarvo::library::LoadForEdit(editor, rebuild, library, *edited, discard);
    if (!reason.empty()) {
      std::cerr << "tarvo-replay: tool " << *editName << " cannot be loaded: " << reason << "\n";
      return kNotRebuildable;
    }
  }
  return tarvo::replay::RunScript(*scriptName, script, editor, messages, std::cout, std::cerr);
}
