// libFuzzer target: any history file read at start-up, and the reopening of
// the tool it holds. A file that holds no tool is set aside, never lost.
#include <cstddef>
#include <cstdint>
#include <string>

#include "testing/replay_editor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string history(reinterpret_cast<const char*>(data), size);
  tarvo::testing::MemoryFileSystem files;
  files.Files["/d/.tarvo-tools.history"] = history;
  tarvo::testing::ReplayEditor start(files, size % 2 == 0 ? '.' : ',');
  tarvo::editor::Editor& editor = start.editor;
  const bool offered = editor.Unfinished().has_value();
  const bool setAside = !editor.HistoryDamage().empty();
  // Either the tool is offered, or the file held none, or it lies aside as it was.
  if (offered && setAside) __builtin_trap();
  if (setAside && files.Read("/d/.tarvo-tools.history.damaged") != history) __builtin_trap();
  if (!offered && !setAside) {
    const auto steps = tarvo::editor::DecodeSteps(history);
    if (!steps || !steps->empty() || files.Read("/d/.tarvo-tools.history") != history) __builtin_trap();
  }
  if (editor.ReopenUnfinished()) {
    if (!editor.Underway() || !editor.CanUndo()) __builtin_trap();
    editor.Undo();
    editor.Redo();
  }
  return 0;
}
