#include "editor/editor.h"

#include "editor/messages.h"
#include "platform/text.h"

namespace tarvo::editor {

using enum ControlId;

Editor::Editor(std::filesystem::path directory, platform::FileSystem& files, scene::SceneView& view,
               MessageBoxes& messages, numbers::LocaleQuery& locale)
    : files_(files), scene_(std::move(directory), files, view), messages_(messages), locale_(locale) {}

void Editor::Load() {
  reportedInCommand_ = false;
  format_ = numbers::ReadDecimalSeparator(locale_).Format;
  Report(kPreviewFailedMessage, scene_.CreateWRMLFile());
  for (ControlId id : {Frame_Buttons, Frame_Element, Frame_ToolData, Cmd_Confirm, Cmd_Export,
                       Cmd_DelAll, Cmd_DelLast}) {
    window_.Hide(id);
  }
  window_.SetEnabled(Tb_ToolName, true);
  window_.Show(Tb_ToolName);
  window_.Hide(Lbl_LengthMin);
  window_.SetText(Tb_LengthMin, "");
  window_.SetText(Tb_ToolName, "");
  window_.Show(Frame_NewTool);
  for (const char* item : {" TARVO1", " M2", " M3", " M4", " M5"}) window_.AddItem(Cb_Extension, item);
  for (const char* item : {"3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15",
                           "16", "30"}) {
    window_.AddItem(Cb_Edges, item);
  }
  window_.GiveFocus(Cmd_NewTool);
  if (recording_) ReadUnfinished();
}

void Editor::Type(ControlId id, std::string text) {
  const ControlKind kind = Row(id).Kind;
  if ((kind != ControlKind::TextBox && kind != ControlKind::ComboBox) || !window_.IsUsable(id)) return;
  window_.GiveFocus(id);
  window_.SetTypedText(id, std::move(text));
}

void Editor::Pick(ControlId id, std::size_t index) {
  if (Row(id).Kind != ControlKind::ComboBox || !window_.IsUsable(id)) return;
  const std::vector<std::string>& items = window_.State(id).Items;
  if (index >= items.size()) return;
  window_.GiveFocus(id);
  window_.SetTypedText(id, items[index]);
}

void Editor::FocusByUser(ControlId id) { window_.GiveFocus(id); }

void Editor::Click(ControlId id) {
  const ControlKind kind = Row(id).Kind;
  if (kind != ControlKind::CommandButton && kind != ControlKind::OptionButton &&
      kind != ControlKind::CheckBox) {
    return;
  }
  if (!window_.IsUsable(id) || dialog_ || asking_) return;
  reportedInCommand_ = false;
  const bool startsTool = id == Cmd_NewTool;
  const std::int16_t elementsBefore = tool_.ElementCount;
  const ToolKind toolKind = window_.IsSelected(Ob_Extend)  ? ToolKind::Extension
                            : window_.IsSelected(Ob_Polyg) ? ToolKind::Polygonal
                                                           : ToolKind::Tip;
  confirmed_.reset();
  ++commands_;
  exported_.reset();
  window_.GiveFocus(id);
  if (kind == ControlKind::OptionButton) {
    SelectOption(id);
  } else if (kind == ControlKind::CheckBox) {
    window_.SetSelected(id, !window_.IsSelected(id));
    RunClickAction(id);
  } else {
    RunClickAction(id);
  }
  if (recording_) RecordClick(id, startsTool && !window_.IsShown(Frame_NewTool), elementsBefore, toolKind);
}

void Editor::SelectOption(ControlId id) {
  window_.SetSelected(id, true);
  if (id != runningAction_) RunClickAction(id);
}

void Editor::SetDisk(bool set) {
  if (window_.IsSelected(Cb_Disk) == set) return;
  window_.SetSelected(Cb_Disk, set);
  RunClickAction(Cb_Disk);
}

void Editor::RunClickAction(ControlId id) {
  const ControlId outer = runningAction_;
  runningAction_ = id;
  switch (id) {
    case Cmd_NewTool: Cmd_NewTool_Click(); break;
    case Cmd_Add: Cmd_Add_Click(); break;
    case Ob_Cylinder: Ob_Cylinder_Click(); break;
    case Ob_Cone: Ob_Cone_Click(); break;
    case Ob_Sphere: Ob_Sphere_Click(); break;
    case Cb_Disk: Cb_Disk_Click(); break;
    case Cmd_Confirm: Cmd_Confirm_Click(); break;
    case Cmd_DelLast: Cmd_DelLast_Click(); break;
    case Cmd_DelAll: Cmd_DelAll_Click(); break;
    case Cmd_Export: Cmd_Export_Click(); break;
    case Cmd_Exit: closed_ = true; break;
    default: break;  // the tool kind options only select themselves
  }
  runningAction_ = outer;
}

void Editor::AppendLine(std::string_view line) {
  tool_.StoreLine(line);
  window_.AppendText(RTB_Tool, tool_.ToolLines[static_cast<std::size_t>(tool_.LineCount)]);
}

void Editor::ShowMessage(std::string_view text, std::string_view title) { messages_.Show(text, title); }

void Editor::TellUnwritableFolder() {
  if (unwritableFolder_) ShowMessage(UnwritableFolderMessage(platform::PathText(scene_.DefinitionPath().parent_path())), kWindowTitle);
}

void Editor::Report(std::string_view prefix, const scene::SceneResult& failure) {
  if (!failure) return;
  ++fileFailures_;
  if (unwritableFolder_ && prefix == kPreviewFailedMessage) return;  // said once, as the window opened
  if (reportedInCommand_) return;
  reportedInCommand_ = true;
  ShowMessage(std::string(prefix) + platform::PathText(failure->File) + ": " + failure->Reason, kWindowTitle);
}

}  // namespace tarvo::editor
