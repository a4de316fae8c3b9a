#pragma once

#include <string>
#include <vector>

#include "editor/editor.h"
#include "testing/memory_file_system.h"

namespace tarvo::editor::testing {

struct Shown {
  std::string Text;
  std::string Title;
};

class RecordedMessages final : public MessageBoxes {
 public:
  void Show(std::string_view text, std::string_view title) override {
    Boxes.push_back({std::string(text), std::string(title)});
  }
  std::vector<Shown> Boxes;
};

// An editor on files in memory in /d (or `folder`), loaded as at start-up unless `load` is false.
struct EditorFixture {
  explicit EditorFixture(std::filesystem::path folder = "/d", bool load = true)
      : editor(std::move(folder), files, view, messages, locale) {
    if (load) editor.Load();
  }
  // Types each (control, text) pair, then clicks CONFIRM.
  void Confirm(std::initializer_list<std::pair<ControlId, const char*>> fields) {
    for (const auto& [id, text] : fields) editor.Type(id, text);
    editor.Click(ControlId::Cmd_Confirm);
  }
  void StartTool(ControlId kind, const char* name = "T") {
    editor.Type(ControlId::Tb_ToolName, name);
    editor.Click(ControlId::Cmd_NewTool);
    editor.Click(kind);
    editor.Click(ControlId::Cmd_Add);
  }
  const WindowModel& Window() const { return editor.Window(); }

  tarvo::testing::MemoryFileSystem files;
  tarvo::testing::RecordingSceneView view;
  RecordedMessages messages;
  numbers::FixedLocaleQuery locale{std::string(".")};
  Editor editor;
};

}  // namespace tarvo::editor::testing
