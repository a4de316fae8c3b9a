// The Step 3 options and the DISK box: each prepares Step 4 for its element type.
#include "editor/editor.h"

namespace tarvo::editor {

using enum ControlId;

void Editor::Ob_Cylinder_Click() {
  for (ControlId id : {Cb_Edges, Cb_Disk, Lbl_LengthMin, Tb_LengthMin}) window_.Hide(id);
  window_.Show(Frame_Element);
  window_.Show(Frame_ToolData);
  elementKind_ = "Cyl";
  window_.Show(Tb_Diam);
  for (ControlId id : {Tb_Diam, Tb_Diam2, Tb_Height}) window_.SetText(id, "0");
  window_.SetText(Lbl_ElemType, "CYLINDER");
  window_.SetText(Lbl_Diam, "DIAMETER:");
  window_.Hide(Lbl_Diam2);
  window_.Show(Lbl_Height);
  window_.Hide(Tb_Diam2);
  window_.Show(Tb_Height);
  window_.Show(Cmd_Confirm);
  SelectOption(Ob_Cylinder);
  window_.GiveFocus(Tb_Diam);
  elementOption_ = "CYLINDER";
}

void Editor::Ob_Cone_Click() {
  for (ControlId id : {Cb_Disk, Lbl_LengthMin, Tb_LengthMin}) window_.Hide(id);
  window_.Show(Frame_Element);
  window_.Show(Frame_ToolData);
  if (window_.IsSelected(Ob_Tip)) {
    elementKind_ = "Cone";
    window_.SetText(Lbl_ElemType, "CONE");
    window_.Show(Tb_Diam);
    window_.Hide(Cb_Edges);
    for (ControlId id : {Tb_Diam, Tb_Diam2, Tb_Height}) window_.SetText(id, "0");
    window_.GiveFocus(Tb_Diam);
    window_.SetText(Lbl_Diam, "DIAMETER:");
    window_.SetText(Lbl_Diam2, "MINOR DIAMETER:");
  } else {
    window_.SetText(Lbl_ElemType, "POLYGON");
    elementKind_ = "Polygon";
    window_.Hide(Tb_Diam);
    window_.Show(Tb_Diam2);
    window_.Show(Cb_Edges);
    window_.SetText(Lbl_Diam, "NR. OF EDGES:");
    window_.SetText(Lbl_Diam2, "POLYGON EDGE LENGTH:");
  }
  window_.SetText(Cb_Edges, "3");
  for (ControlId id : {Tb_Diam, Tb_Diam2, Tb_Height}) window_.SetText(id, "0");
  for (ControlId id : {Lbl_Diam2, Lbl_Height, Tb_Diam2, Tb_Height}) window_.Show(id);
  window_.Show(Cmd_Confirm);
  if (!window_.IsSelected(Ob_Tip)) {
    // The edge length gets the focus once it reads "0", with the whole "0"
    // selected: a changed text would put the caret before it, and a typed 4
    // would make 40.
    window_.GiveFocus(Tb_Diam2);
    window_.SelectAll(Tb_Diam2);
  }
  elementOption_ = "CONE";
}

void Editor::Ob_Sphere_Click() {
  if (window_.IsSelected(Ob_Tip)) {
    window_.Hide(Lbl_LengthMin);
    window_.Hide(Tb_LengthMin);
    window_.Show(Frame_Element);
    window_.Show(Frame_ToolData);
    elementKind_ = "Sphere";
    for (ControlId id : {Tb_Diam, Tb_Diam2, Tb_Height}) window_.SetText(id, "0");
    window_.SetText(Lbl_ElemType, "SPHERE");
    window_.Show(Cb_Disk);
    SetDisk(false);
    for (ControlId id : {Lbl_Diam2, Lbl_Height, Tb_Diam2, Tb_Height}) window_.Hide(id);
    window_.Show(Cmd_Confirm);
    window_.GiveFocus(Tb_Diam);
    window_.SelectAll(Tb_Diam);
  } else {
    window_.Hide(Cb_Disk);
    window_.Show(Frame_Element);
    window_.Show(Frame_ToolData);
    elementKind_ = "Complex";
    for (ControlId id : {Tb_LengthMin, Tb_Diam, Tb_Diam2, Tb_Height}) window_.SetText(id, "0");
    window_.SetText(Lbl_ElemType, "2 LEVELS POLYGON");
    window_.Hide(Tb_Diam);
    window_.Show(Cb_Edges);
    window_.SetText(Lbl_Diam, "NR. OF EDGES:");
    window_.SetText(Lbl_Diam2, "UPPER POLYGON EDGE:");
    window_.Show(Lbl_LengthMin);
    window_.Show(Tb_LengthMin);
    window_.SetText(Tb_LengthMin, "0");
    window_.SetText(Cb_Edges, "3");
    for (ControlId id : {Lbl_Diam2, Lbl_Height, Tb_Diam2, Tb_Height}) window_.Show(id);
    window_.Show(Cmd_Confirm);
    window_.GiveFocus(Tb_Diam2);
    window_.SelectAll(Tb_Diam2);
  }
  elementOption_ = "SPHERE";
}

void Editor::Cb_Disk_Click() {
  const bool disk = window_.IsSelected(Cb_Disk);
  window_.SetText(Lbl_ElemType, disk ? "DISK" : "SPHERE");
  window_.SetText(Tb_Height, "0");
  window_.SetVisible(Lbl_Height, disk);
  window_.SetVisible(Tb_Height, disk);
  window_.GiveFocus(Tb_Diam);
}

}  // namespace tarvo::editor
