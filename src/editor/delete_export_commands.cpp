// DELETE LAST, DELETE ALL and EXPORT: shortening, discarding and exporting the tool.
#include "definition/code_page.h"
#include "definition/tool_blocks.h"
#include "editor/editor.h"
#include "editor/messages.h"

namespace tarvo::editor {

using enum ControlId;

void Editor::Cmd_DelLast_Click() {
  window_.Hide(Cmd_DelLast);
  if (tool_.ElementCount > 0) {
    // The next element starts where the removed one started.
    tool_.ElementBottomZ = tool_.ElementTopZ;
    tool_.LineCount = static_cast<std::int16_t>(
        tool_.LineCount - tool_.LinesPerElement[static_cast<std::size_t>(tool_.ElementCount)]);
    --tool_.ElementCount;
    window_.SetText(RTB_Tool, tool_.Text());
    Report(kPreviewFailedMessage, scene_.LoadOldFile());
  }
  window_.Hide(Cmd_Export);
  window_.Show(Cmd_Confirm);
  scene_.Mesh.Reset();
}

void Editor::Cmd_DelAll_Click() {
  for (ControlId id : {Frame_Buttons, Frame_Element, Frame_ToolData, Cmd_DelAll, Cmd_DelLast,
                       Cmd_Confirm, Cmd_Export}) {
    window_.Hide(id);
  }
  tool_.ElementCount = 0;
  tool_.LineCount = 0;
  SelectOption(Ob_Tip);
  window_.SetText(RTB_Tool, "");
  window_.SetEnabled(Tb_ToolName, true);
  window_.SetText(Tb_ToolName, "");
  window_.Show(Frame_NewTool);
  window_.GiveFocus(Tb_ToolName);
  edited_.reset();
  scene_.Mesh.Reset();
  scene_.SceneZ = 0;
  Report(kPreviewFailedMessage, scene_.CreateWRMLFile());
}

void Editor::Cmd_Export_Click() {
  // The backup is written first and takes usrprobe_old.dat's place once the
  // block is in: a failure leaves the pane, the tool, usrprobe.dat and
  // usrprobe_old.dat as they were, so EXPORT can simply be pressed again.
  const std::string bytes = definition::ToWindows1252(ExportBlock());
  const platform::BackedUpChange change = platform::ChangeWithBackup(
      files_, scene_.DefinitionPath(), scene_.DefinitionBackupPath(), [&] { return WriteBlock(bytes); });
  const scene::FileFailure failure{change.Status.File, change.Status.Reason};
  if (!change.Changed) {
    Report(kExportFailedMessage, failure);
    return;
  }
  if (!change.Status.IsOk()) Report(kBackupNotReplacedMessage, failure);
  exported_ = ExportedBlock{bytes, edited_ ? std::optional(edited_->Position) : std::nullopt};
  window_.SetText(RTB_Tool, "");
  Cmd_DelAll_Click();
}

std::string Editor::ExportBlock() const {
  std::string block = window_.Text(RTB_Tool);
  if (elementKind_ == "Sphere") block += "endtip\r\n";
  block += "\r\n";
  return block;
}

platform::FileStatus Editor::WriteBlock(const std::string& bytes) {
  if (!edited_) return files_.Append(scene_.DefinitionPath(), bytes, platform::Durability::Durable);
  std::string file;
  const platform::FileStatus read = files_.Read(scene_.DefinitionPath(), file);
  if (read.Result == platform::FileStatus::Code::Failed) return read;
  if (read.IsOk()) {
    if (const auto replaced = definition::ReplaceBlock(file, edited_->Block, edited_->Position, bytes)) {
      return files_.Write(scene_.DefinitionPath(), *replaced, platform::Durability::Durable);
    }
  }
  const platform::FileStatus appended =
      files_.Append(scene_.DefinitionPath(), bytes, platform::Durability::Durable);
  if (appended.IsOk()) ShowMessage(EditedToolChangedMessage(edited_->Name), kWindowTitle);
  return appended;
}

}  // namespace tarvo::editor
