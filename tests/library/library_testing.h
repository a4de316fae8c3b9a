#pragma once

#include <sstream>
#include <string>

#include "app/replay/replay_script.h"
#include "testing/memory_file_system.h"

namespace tarvo::library::testing {

// Runs a replay script on an editor in /d of `files`; the replay's status.
inline int RunReplay(const std::string& script, char separator, tarvo::testing::MemoryFileSystem& files,
                     std::string* out = nullptr) {
  tarvo::testing::RecordingSceneView view;
  numbers::FixedLocaleQuery locale(std::string(1, separator));
  std::ostringstream output;
  std::ostringstream errors;
  replay::ReplayMessages messages(output);
  editor::Editor editor("/d", files, view, messages, locale);
  editor.Load();
  const int status = replay::RunScript("s", script, editor, messages, output, errors);
  if (out != nullptr) *out = output.str() + errors.str();
  return status;
}

}  // namespace tarvo::library::testing
