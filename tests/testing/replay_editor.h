#pragma once

#include <sstream>
#include <string>
#include <string_view>

#include "script/replay_script.h"
#include "testing/memory_file_system.h"

namespace tarvo::testing {

// An editor in /d of `files`, loaded as at start-up, that runs scripts as
// tarvo-replay does: messages and printed texts go to `output`, script errors to `errors`.
struct ReplayEditor {
  explicit ReplayEditor(platform::FileSystem& files, char separator = '.')
      : locale(std::string(1, separator)), editor("/d", files, view, messages, locale) {
    editor.Load();
  }
  int Run(std::string_view script) {
    return replay::RunScript("s.txt", script, editor, messages, output, errors);
  }

  RecordingSceneView view;
  numbers::FixedLocaleQuery locale;
  std::ostringstream output, errors;
  replay::ReplayMessages messages{output};
  editor::Editor editor;
};

}  // namespace tarvo::testing
