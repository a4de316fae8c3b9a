#include "ui/form_layout.h"

namespace tarvo::ui {

QRect Geometry(editor::ControlId id) {
  using enum editor::ControlId;
  switch (id) {
    case Form1: return {QPoint(0, 0), kClientSize};

    case Frame_NewTool: return {8, 4, 943, 92};
    case Shape1: return {12, 28, 640, 54};
    case Lbl_ToolName: return {24, 39, 104, 32};
    case Tb_ToolName: return {132, 39, 240, 32};
    case Label1: return {392, 39, 96, 32};
    case Cb_Extension: return {492, 39, 148, 32};
    case Cmd_NewTool: return {688, 28, 232, 54};

    case Frame_Buttons: return {8, 104, 640, 84};
    case Ob_Tip: return {20, 38, 80, 32};
    case Ob_Extend: return {112, 38, 144, 32};
    case Ob_Polyg: return {268, 38, 148, 32};
    case Cmd_Add: return {432, 30, 192, 46};
    case Cmd_DelAll: return {664, 116, 136, 64};
    case Cmd_DelLast: return {815, 116, 136, 64};

    case Frame_Element: return {8, 196, 943, 72};
    case Lbl_Element: return {16, 30, 250, 32};
    case Ob_Cylinder: return {290, 30, 150, 32};
    case Ob_Cone: return {470, 30, 190, 32};
    case Ob_Sphere: return {680, 30, 240, 32};

    case Frame_ToolData: return {8, 276, 468, 236};
    case Lbl_ElemType: return {16, 30, 300, 30};
    case Cb_Disk: return {330, 30, 120, 30};
    case Lbl_Diam: return {8, 70, 250, 32};
    case Tb_Diam: return {268, 70, 180, 32};
    case Cb_Edges: return {268, 70, 180, 32};  // in the place of the diameter
    case Lbl_Diam2: return {8, 110, 250, 32};
    case Tb_Diam2: return {268, 110, 180, 32};
    case Lbl_Height: return {8, 150, 250, 32};
    case Tb_Height: return {268, 150, 180, 32};
    case Lbl_LengthMin: return {8, 190, 250, 32};
    case Tb_LengthMin: return {268, 190, 180, 32};
    case Cmd_Confirm: return {120, 520, 240, 48};

    case RTB_Tool: return {8, 578, 468, 274};
    case TasterView: return {484, 282, 467, 500};
    case FaceDraw: return {};  // never shown
    case Cmd_Export: return {484, 794, 228, 58};
    case Cmd_Exit: return {723, 794, 228, 58};
  }
  return {};
}

}  // namespace tarvo::ui
