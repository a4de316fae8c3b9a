#include "library/library_changes.h"

#include <sstream>

#include "script/replay_script.h"
#include "definition/code_page.h"

namespace tarvo::library {

platform::FileStatus LoadLibrary(platform::FileSystem& files, const std::filesystem::path& directory,
                              Library& library) {
  std::string bytes;
  platform::FileStatus read = files.Read(directory / "usrprobe.dat", bytes);
  if (read.Result == platform::FileStatus::Code::MissingSource) read = platform::FileStatus::Ok();
  library = ReadLibrary(read.IsOk() ? std::move(bytes) : std::string());
  return read;
}

platform::BackedUpChange RemoveTool(platform::FileSystem& files, const std::filesystem::path& directory,
                                    const Library& library, const Tool& tool) {
  const std::filesystem::path file = directory / "usrprobe.dat";
  return platform::ChangeWithBackup(files, file, directory / "usrprobe_old.dat", [&] {
           std::string current;
           platform::FileStatus read = files.Read(file, current);
           if (!read.IsOk()) return read;
           if (current != *library.Bytes) {
             return platform::FileStatus::Failure("usrprobe.dat was changed by another program; read it again", file);
           }
           std::string remaining = current.substr(0, tool.Begin);
           remaining.append(current, tool.End);
           platform::FileStatus written = files.Write(file, remaining, platform::Durability::Durable);
           if (!written.IsOk()) written.File = file;
           return written;
         });
}

std::string LoadForEdit(editor::Editor& editor, const RebuildScript& script, const Library& library,
                        const Tool& tool, bool discardUnfinished) {
  if (!script.Proven()) return script.Reason;
  if (editor.Format().Separator() != script.Separator) {
    return std::string("the tool is written with ") + (script.Separator == ',' ? "a comma" : "a point") +
           " as decimal separator, the editor uses the other";
  }
  if (const std::optional<editor::Question> question = editor.DiscardQuestion()) {
    if (!discardUnfinished) return question->Text;
    editor.AcceptDiscard();
  }
  std::ostringstream out;
  std::ostringstream err;
  replay::ReplayMessages messages(out);
  const int status = replay::RunScript("edit", script.UpToExport(), editor, messages, out, err);
  if (status != replay::kOk && status != replay::kFileFailed) return err.str();
  editor.BeginEdit({definition::FromWindows1252(tool.Name), std::string(library.Block(tool)),
                    static_cast<std::size_t>(tool.Position - 1)});
  return {};
}

}  // namespace tarvo::library
