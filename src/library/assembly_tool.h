#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "library/assembly.h"
#include "platform/files.h"

namespace tarvo::library {

// The replay script that types a stack's elements into the editor as one
// tool named `name`: the first part's connection, the last part's kind, and
// every part's elements as its own proven script types them. Without a
// script, Reason says why (a part that is not rebuildable, more than 50
// elements or 200 lines, a name the editor refuses).
struct OneToolScript {
  std::string Script;  // up to and with "click Cmd_Export"
  char Separator = '.';
  std::string Block;   // what its EXPORT appends, in the file's bytes
  std::string Reason;

  bool Proven() const { return Reason.empty(); }
};

OneToolScript ScriptOfStack(const Library& library, const Stack& stack, std::string_view name);

// What writing a stack as one tool did.
struct WrittenTool {
  std::string Notice;   // the duplicate-name notice of the status line, if any
  std::string Failure;  // the editor's message when EXPORT failed
};

// Runs the script through an editor whose usrprobe.dat and usrprobe_old.dat
// are those of `directory` in `files` (its scene and history stay in
// memory): EXPORT's own backup and durable append.
WrittenTool WriteOneTool(platform::FileSystem& files, const std::filesystem::path& directory,
                         const OneToolScript& script);

}  // namespace tarvo::library
