// libFuzzer target: any script through the replay driver and the editor, on
// files in memory.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "app/replay/replay_script.h"
#include "testing/memory_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view script(reinterpret_cast<const char*>(data), size);
  tarvo::testing::MemoryFileSystem files;
  tarvo::testing::RecordingSceneView view;
  tarvo::numbers::FixedLocaleQuery locale(std::string(size % 2 == 0 ? "." : ","));
  std::ostringstream out;
  tarvo::replay::ReplayMessages messages(out);
  tarvo::editor::Editor editor("/d", files, view, messages, locale);
  editor.Load();
  tarvo::replay::RunScript("fuzz", script, editor, messages, out, out);
  return 0;
}
