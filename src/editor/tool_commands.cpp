// NEW TOOL and ADD ELEMENT: starting a tool and opening its body.
#include <algorithm>
#include <utility>

#include "definition/code_page.h"
#include "editor/editor.h"
#include "editor/messages.h"

namespace tarvo::editor {

using enum ControlId;

namespace {

// A tab, a line break or another control character would break the ITEM
// line apart for whoever reads the definition file.
bool HoldsControlCharacter(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 32 || byte == 127;
  });
}

}  // namespace

void Editor::Cmd_NewTool_Click() {
  const std::string& name = window_.Text(Tb_ToolName);
  if (name.size() <= 4 && name.find_first_not_of(' ') == std::string::npos) {
    ShowMessage(kToolNameMessage, kToolNameTitle);
    return;
  }
  if (HoldsControlCharacter(name) || HoldsControlCharacter(window_.Text(Cb_Extension))) {
    ShowMessage(kControlCharacterMessage, kToolNameTitle);
    return;
  }
  // A name is written as typed or not at all: never with "?" for a character.
  for (const std::string& text : {name, window_.Text(Cb_Extension)}) {
    if (const std::optional<std::string> outside = definition::FirstOutsideWindows1252(text)) {
      ShowMessage(CodePageMessage(*outside), kToolNameTitle);
      return;
    }
  }
  if (recording_ && Unfinished() && !std::exchange(discardAccepted_, false)) {
    asking_ = DiscardQuestion();
    return;
  }
  tool_.ElementCount = 0;
  tool_.LineCount = 0;
  window_.SetEnabled(Tb_ToolName, false);
  window_.Hide(Frame_NewTool);
  window_.Show(Cmd_Add);
  window_.Hide(Cmd_DelLast);
  window_.Hide(Cmd_DelAll);
  window_.Show(Frame_Buttons);
  // The name and the connection type go in exactly as typed, blanks included.
  AppendLine("ITEM:" + name + " " + window_.Text(Cb_Extension));
  window_.Hide(Cmd_Confirm);
  window_.Hide(Cmd_Export);
  SelectOption(Ob_Tip);
}

void Editor::Cmd_Add_Click() {
  if (tool_.ElementCount == 0) scene_.SceneZ = 0;
  window_.Hide(Frame_Buttons);
  window_.Hide(Cmd_DelAll);
  window_.Hide(Cmd_DelLast);
  window_.Show(Cmd_Add);
  window_.Hide(Cmd_Export);
  for (ControlId id : {Frame_Element, Frame_ToolData, Ob_Cone, Ob_Sphere}) window_.Show(id);
  if (tool_.ElementCount != 0) return;

  if (window_.IsSelected(Ob_Tip)) {
    for (const char* line : {"begintip", "color 142 142 142", "ribcount 20"}) AppendLine(line);
    SelectOption(Ob_Cylinder);
    window_.Hide(Cb_Edges);
    window_.Show(Tb_Diam);
    window_.SetText(Ob_Cone, "CONE");
    window_.SetText(Ob_Sphere, "SPHERE OR DISK");
    window_.SetText(Lbl_ElemType, "CYLINDER");
    window_.SetText(Lbl_Diam, "DIAMETER:");
    window_.SetText(Lbl_Diam2, "MINOR DIAMETER:");
  } else if (window_.IsSelected(Ob_Polyg)) {
    for (const char* line : {"color 142 142 142", "ribcount 20"}) AppendLine(line);
    window_.SetText(Lbl_ElemType, "CYLINDER");
    SelectOption(Ob_Cylinder);
    window_.SetText(Ob_Cone, "POLYGON");
    window_.SetText(Ob_Sphere, "2 LEVELS POLYGON");
    window_.Hide(Cb_Edges);
    window_.Show(Tb_Diam);
    window_.GiveFocus(Tb_Diam);
  } else if (window_.IsSelected(Ob_Extend)) {
    for (const char* line : {"color 142 142 142", "ribcount 20"}) AppendLine(line);
    window_.SetText(Lbl_ElemType, "CYLINDER");
    SelectOption(Ob_Cylinder);
    // An extension consists of cylinders only.
    window_.Hide(Ob_Cone);
    window_.Hide(Ob_Sphere);
    window_.Hide(Cb_Edges);
    window_.Show(Tb_Diam);
    window_.GiveFocus(Tb_Diam);
  }
}

}  // namespace tarvo::editor
