// libFuzzer target: any script through the replay driver and the editor, on
// files in memory.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "testing/replay_editor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarvo::testing::MemoryFileSystem files;
  tarvo::testing::ReplayEditor(files, size % 2 == 0 ? '.' : ',')
      .Run(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
