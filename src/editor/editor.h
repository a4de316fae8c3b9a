#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "definition/tool_definition.h"
#include "editor/message_boxes.h"
#include "editor/window_model.h"
#include "numbers/decimal_separator.h"
#include "scene/scene.h"

namespace tarvo::editor {

// A tool of usrprobe.dat loaded for editing: its name, its block as read and
// its position (0-based) among the file's tools.
struct EditedTool {
  std::string Name;
  std::string Block;
  std::size_t Position = 0;
};

// The block that EXPORT wrote, in the file's bytes, and the position of the
// tool it was to replace when a tool was edited.
struct ExportedBlock {
  std::string Bytes;
  std::optional<std::size_t> EditedPosition;
};

// The tool editor: the window model, the editor state and every command.
// The window and the replay driver both drive it through Load, the user's
// actions (Type, Pick, Click, FocusByUser) and read Window() back.
class Editor {
 public:
  // The four files lie in `directory`.
  Editor(std::filesystem::path directory, scene::FileSystem& files, scene::SceneView& view,
         MessageBoxes& messages, numbers::LocaleQuery& locale);

  // The window's load action: separator, fresh scene, only Step 1 shown.
  void Load();

  // The user types into a text or combo box: it takes the focus, then its
  // text becomes `text`. Nothing happens for any other control.
  void Type(ControlId id, std::string text);
  // The user picks item `index` (0-based) of a combo box's list.
  void Pick(ControlId id, std::size_t index);
  // The user clicks a command button, an option button or the check box.
  void Click(ControlId id);
  // The keyboard focus arrives by Tab or the mouse.
  void FocusByUser(ControlId id);

  // From now on EXPORT replaces `tool`'s block in place instead of appending;
  // DELETE ALL (and so EXPORT itself) ends the edit.
  void BeginEdit(EditedTool tool) { edited_ = std::move(tool); }
  const std::optional<EditedTool>& Edited() const { return edited_; }

  const WindowModel& Window() const { return window_; }
  bool Closed() const { return closed_; }
  // How many clicks have reached a usable control: the commands run so far.
  int Commands() const { return commands_; }
  // What the last command exported; nothing after any other command.
  const std::optional<ExportedBlock>& Exported() const { return exported_; }
  // How many file operations have failed since start-up.
  int FileFailures() const { return fileFailures_; }

  const definition::ToolDefinition& Tool() const { return tool_; }
  // The file system the editor writes through, for the front ends' own files.
  scene::FileSystem& Files() const { return files_; }
  const scene::Scene& Scene() const { return scene_; }
  const numbers::NumberFormat& Format() const { return format_; }
  const std::string& ElementKind() const { return elementKind_; }
  const std::string& ElementOption() const { return elementOption_; }

 private:
  // Commands, named after the controls whose clicks run them.
  void Cmd_NewTool_Click();
  void Cmd_Add_Click();
  void Ob_Cylinder_Click();
  void Ob_Cone_Click();
  void Ob_Sphere_Click();
  void Cb_Disk_Click();
  void Cmd_Confirm_Click();
  void Cmd_DelLast_Click();
  void Cmd_DelAll_Click();
  void Cmd_Export_Click();

  // Selects an option button as a command does, running its click action
  // even when it was already selected (but never inside its own action).
  void SelectOption(ControlId id);
  // Sets or clears the check box; its action runs when the state changes.
  void SetDisk(bool set);
  void RunClickAction(ControlId id);

  // Writes the exported block: appended, or in place of the edited tool.
  scene::FileStatus WriteBlock(const std::string& bytes);

  // Stores a definition line and shows it in the pane.
  void AppendLine(std::string_view line);
  void ShowMessage(std::string_view text, std::string_view title);
  // Reports a failed file operation, once per command.
  void Report(std::string_view prefix, const scene::SceneResult& failure);

  WindowModel window_;
  definition::ToolDefinition tool_;
  scene::FileSystem& files_;
  scene::Scene scene_;
  MessageBoxes& messages_;
  numbers::LocaleQuery& locale_;
  numbers::NumberFormat format_;
  std::string elementKind_;
  std::string elementOption_;
  ControlId runningAction_ = ControlId::Form1;  // the option action under way, if any
  bool reportedInCommand_ = false;
  int fileFailures_ = 0;
  bool closed_ = false;
  int commands_ = 0;
  std::optional<ExportedBlock> exported_;
  std::optional<EditedTool> edited_;
};

}  // namespace tarvo::editor
