#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "app/replay/replay_script.h"
#include "testing/memory_file_system.h"

namespace tarvo::library::testing {

// An editor in /d of `files`, reporting as tarvo-replay does.
struct ReplayEditor {
  ReplayEditor(tarvo::testing::MemoryFileSystem& files, char separator)
      : locale(std::string(1, separator)), messages(output), editor("/d", files, view, messages, locale) {
    editor.Load();
  }
  int Run(const std::string& script) { return replay::RunScript("s", script, editor, messages, output, errors); }

  tarvo::testing::RecordingSceneView view;
  numbers::FixedLocaleQuery locale;
  std::ostringstream output, errors;
  replay::ReplayMessages messages;
  editor::Editor editor;
};

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace tarvo::library::testing
