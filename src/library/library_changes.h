#pragma once

#include <filesystem>
#include <string>

#include "editor/editor.h"
#include "library/library_file.h"
#include "library/tool_script.h"
#include "platform/files.h"

namespace tarvo::library {

// usrprobe.dat in `directory` read as tools; a missing file holds none.
platform::FileStatus LoadLibrary(platform::FileSystem& files, const std::filesystem::path& directory,
                              Library& library);

// Removes the tool's block: usrprobe.dat is replaced (temporary file and
// rename) by the same bytes without the block, with the backup of EXPORT (see
// platform::ChangeWithBackup). A failure names the file and leaves both as
// they were; so does a usrprobe.dat that no longer holds what was read.
platform::BackedUpChange RemoveTool(platform::FileSystem& files, const std::filesystem::path& directory,
                                    const Library& library, const Tool& tool);

// Loads the tool into an editor at Step 1 as if its proven script had run up
// to its EXPORT, and marks it edited: the next EXPORT replaces its block.
// The reason when it cannot be loaded; nothing changes then. While the editor
// offers an unfinished tool, the load discards it only with
// `discardUnfinished` (the user answered Discard to DiscardQuestion()); without,
// the reason is the question's text.
std::string LoadForEdit(editor::Editor& editor, const RebuildScript& script, const Library& library,
                        const Tool& tool, bool discardUnfinished = false);

}  // namespace tarvo::library
