#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tarvo::editor {

enum class ControlKind {
  Window,
  Frame,
  Label,
  TextBox,
  ComboBox,
  CommandButton,
  OptionButton,
  CheckBox,
  Rectangle,
  DefinitionPane,
  PreviewView,
  ScratchTextBox,  // a multi-line text box that is never shown
};

// Every control of the window, in the order of the controls table.
enum class ControlId {
  Form1,
  Frame_NewTool,
  Lbl_ToolName,
  Tb_ToolName,
  Label1,
  Cb_Extension,
  Cmd_NewTool,
  Shape1,
  Frame_Buttons,
  Ob_Tip,
  Ob_Extend,
  Ob_Polyg,
  Cmd_Add,
  Frame_Element,
  Lbl_Element,
  Ob_Cylinder,
  Ob_Cone,
  Ob_Sphere,
  Frame_ToolData,
  Lbl_ElemType,
  Lbl_Diam,
  Tb_Diam,
  Cb_Edges,
  Lbl_Diam2,
  Tb_Diam2,
  Lbl_Height,
  Tb_Height,
  Lbl_LengthMin,
  Tb_LengthMin,
  Cb_Disk,
  Cmd_Confirm,
  RTB_Tool,
  TasterView,
  FaceDraw,
  Cmd_DelLast,
  Cmd_DelAll,
  Cmd_Export,
  Cmd_Exit,
};

// One row of the controls table: the control's name, kind, container and the
// caption or text it has at design.
struct ControlRow {
  ControlId Id;
  std::string_view Name;
  ControlKind Kind;
  ControlId Container;
  std::string_view DesignText;
  int Group = 0;  // the exclusive group of an option button, 0 for none
  bool HiddenAtDesign = false;
};

inline constexpr std::string_view kWindowTitle = "TARVO TOOLS CREATION";

// The one table of the window's controls; names, kinds and containers come
// from here for the window, the replay driver and the tests alike.
inline constexpr std::array<ControlRow, 38> kControls = {{
    {ControlId::Form1, "Form1", ControlKind::Window, ControlId::Form1, kWindowTitle},
    {ControlId::Frame_NewTool, "Frame_NewTool", ControlKind::Frame, ControlId::Form1, "Step 1"},
    {ControlId::Lbl_ToolName, "Lbl_ToolName", ControlKind::Label, ControlId::Frame_NewTool, "Tool Name"},
    {ControlId::Tb_ToolName, "Tb_ToolName", ControlKind::TextBox, ControlId::Frame_NewTool, ""},
    {ControlId::Label1, "Label1", ControlKind::Label, ControlId::Frame_NewTool, "Extension"},
    {ControlId::Cb_Extension, "Cb_Extension", ControlKind::ComboBox, ControlId::Frame_NewTool, "TARVO1"},
    {ControlId::Cmd_NewTool, "Cmd_NewTool", ControlKind::CommandButton, ControlId::Frame_NewTool, "NEW TOOL"},
    {ControlId::Shape1, "Shape1", ControlKind::Rectangle, ControlId::Frame_NewTool, ""},
    {ControlId::Frame_Buttons, "Frame_Buttons", ControlKind::Frame, ControlId::Form1, "Step 2"},
    {ControlId::Ob_Tip, "Ob_Tip", ControlKind::OptionButton, ControlId::Frame_Buttons, "TIP", 1},
    {ControlId::Ob_Extend, "Ob_Extend", ControlKind::OptionButton, ControlId::Frame_Buttons, "EXTENSION", 1},
    {ControlId::Ob_Polyg, "Ob_Polyg", ControlKind::OptionButton, ControlId::Frame_Buttons, "POLYGONAL", 1},
    {ControlId::Cmd_Add, "Cmd_Add", ControlKind::CommandButton, ControlId::Frame_Buttons, "ADD ELEMENT"},
    {ControlId::Frame_Element, "Frame_Element", ControlKind::Frame, ControlId::Form1, "Step 3"},
    {ControlId::Lbl_Element, "Lbl_Element", ControlKind::Label, ControlId::Frame_Element, "SELECT ELEMENT TYPE:"},
    {ControlId::Ob_Cylinder, "Ob_Cylinder", ControlKind::OptionButton, ControlId::Frame_Element, "CYLINDER", 2},
    {ControlId::Ob_Cone, "Ob_Cone", ControlKind::OptionButton, ControlId::Frame_Element, "CONE", 2},
    {ControlId::Ob_Sphere, "Ob_Sphere", ControlKind::OptionButton, ControlId::Frame_Element, "SPHERE OR DISK", 2},
    {ControlId::Frame_ToolData, "Frame_ToolData", ControlKind::Frame, ControlId::Form1, "Step 4"},
    {ControlId::Lbl_ElemType, "Lbl_ElemType", ControlKind::Label, ControlId::Frame_ToolData, "CYLINDER"},
    {ControlId::Lbl_Diam, "Lbl_Diam", ControlKind::Label, ControlId::Frame_ToolData, "DIAMETER:"},
    {ControlId::Tb_Diam, "Tb_Diam", ControlKind::TextBox, ControlId::Frame_ToolData, ""},
    {ControlId::Cb_Edges, "Cb_Edges", ControlKind::ComboBox, ControlId::Frame_ToolData, "3"},
    {ControlId::Lbl_Diam2, "Lbl_Diam2", ControlKind::Label, ControlId::Frame_ToolData, "MINOR DIAMETER:"},
    {ControlId::Tb_Diam2, "Tb_Diam2", ControlKind::TextBox, ControlId::Frame_ToolData, ""},
    {ControlId::Lbl_Height, "Lbl_Height", ControlKind::Label, ControlId::Frame_ToolData, "HEIGHT:"},
    {ControlId::Tb_Height, "Tb_Height", ControlKind::TextBox, ControlId::Frame_ToolData, ""},
    {ControlId::Lbl_LengthMin, "Lbl_LengthMin", ControlKind::Label, ControlId::Frame_ToolData, "LOWER POLYGON EDGE:"},
    {ControlId::Tb_LengthMin, "Tb_LengthMin", ControlKind::TextBox, ControlId::Frame_ToolData, ""},
    {ControlId::Cb_Disk, "Cb_Disk", ControlKind::CheckBox, ControlId::Frame_ToolData, "  DISK"},
    {ControlId::Cmd_Confirm, "Cmd_Confirm", ControlKind::CommandButton, ControlId::Form1, "CONFIRM"},
    {ControlId::RTB_Tool, "RTB_Tool", ControlKind::DefinitionPane, ControlId::Form1, ""},
    {ControlId::TasterView, "TasterView", ControlKind::PreviewView, ControlId::Form1, ""},
    // The scratch buffer of the polygon faces in the preview scene.
    {ControlId::FaceDraw, "FaceDraw", ControlKind::ScratchTextBox, ControlId::Form1, "Text1", 0,
     true},
    {ControlId::Cmd_DelLast, "Cmd_DelLast", ControlKind::CommandButton, ControlId::Form1, "DELETE LAST"},
    {ControlId::Cmd_DelAll, "Cmd_DelAll", ControlKind::CommandButton, ControlId::Form1, "DELETE ALL"},
    {ControlId::Cmd_Export, "Cmd_Export", ControlKind::CommandButton, ControlId::Form1, "EXPORT"},
    {ControlId::Cmd_Exit, "Cmd_Exit", ControlKind::CommandButton, ControlId::Form1, "EXIT"},
}};

// The keyboard's tab order over the controls that can take the focus.
inline constexpr std::array<ControlId, 23> kTabOrder = {
    ControlId::Cmd_NewTool, ControlId::Cb_Extension, ControlId::Cmd_Add,    ControlId::Ob_Cylinder,
    ControlId::Ob_Cone,     ControlId::Ob_Sphere,    ControlId::RTB_Tool,   ControlId::Cb_Edges,
    ControlId::Tb_Diam,     ControlId::Tb_Diam2,     ControlId::Tb_Height,  ControlId::Tb_LengthMin,
    ControlId::Cmd_Confirm, ControlId::Cmd_Export,   ControlId::Tb_ToolName, ControlId::Cmd_Exit,
    ControlId::TasterView,  ControlId::Cmd_DelAll,   ControlId::Cmd_DelLast, ControlId::Ob_Extend,
    ControlId::Ob_Polyg,    ControlId::Ob_Tip,       ControlId::Cb_Disk};

constexpr const ControlRow& Row(ControlId id) { return kControls[static_cast<std::size_t>(id)]; }

// The control of this name, or nothing.
std::optional<ControlId> FindControl(std::string_view name);

}  // namespace tarvo::editor
