#include "ui/form_layout.h"

namespace tarvo::ui {
namespace {

constexpr int kMargin = 8;
// The room of Step 1 and of the row of Step 2, each 92 high with the gap below.
constexpr int kTopRowHeight = 92;
constexpr int kPaneTop = 578;  // the definition pane, as designed
constexpr int kLeastPaneHeight = 100;
constexpr int kButtonsHeight = 58;  // EXPORT and EXIT
constexpr int kButtonsGap = 12;     // between the preview and the buttons


// DELETE ALL and DELETE LAST shown without the frame of Step 2: they go to
// the top of the preview's column.
bool DeletesOverPreview(const FormRoom& room) { return room.Step2RowShown && !room.Step2FrameShown; }

// How far the rows below Step 1 move up: one row's room for each of Step 1
// and the row of Step 2 that is hidden, or whose buttons went over the preview.
int Rise(const FormRoom& room) {
  const bool step2Row = room.Step2RowShown && !DeletesOverPreview(room);
  return kTopRowHeight * ((room.Step1Shown ? 0 : 1) + (step2Row ? 0 : 1));
}

}  // namespace

QRect Geometry(editor::ControlId id, const FormRoom& room) {
  using enum editor::ControlId;
  const int width = room.Size.width(), height = room.Size.height();
  const int rise = Rise(room);
  const int spanned = width - 2 * kMargin;
  const int previewWidth = width - 484 - kMargin;
  const int buttonsTop = height - kMargin - kButtonsHeight;
  const int exportWidth = (previewWidth - 11) / 2;
  const bool deletesOver = DeletesOverPreview(room);
  // Over the preview, in the row they leave: the preview keeps its place.
  const int previewTop = 282 - rise + (deletesOver ? kTopRowHeight : 0);
  const int deletesTop = previewTop - kButtonsGap - 64;
  switch (id) {
    case Form1: return {QPoint(0, 0), room.Size};

    case Frame_NewTool: return {kMargin, 4, spanned, 92};
    case Shape1: return {12, 28, 640, 54};
    case Lbl_ToolName: return {24, 39, 104, 32};
    case Tb_ToolName: return {132, 39, 240, 32};
    case Label1: return {392, 39, 96, 32};
    case Cb_Extension: return {492, 39, 148, 32};
    case Cmd_NewTool: return {688, 28, 232, 54};

    case Frame_Buttons: return {kMargin, 104 - rise, 640, 84};
    case Ob_Tip: return {20, 38, 80, 32};
    case Ob_Extend: return {112, 38, 144, 32};
    case Ob_Polyg: return {268, 38, 148, 32};
    case Cmd_Add: return {432, 30, 192, 46};
    case Cmd_DelAll:
      if (deletesOver) return {484, deletesTop, exportWidth, 64};
      return {width - 295, 116 - rise, 136, 64};
    case Cmd_DelLast:
      if (deletesOver) return {484 + exportWidth + 11, deletesTop, previewWidth - exportWidth - 11, 64};
      return {width - 144, 116 - rise, 136, 64};

    case Frame_Element: return {kMargin, 196 - rise, spanned, 72};
    case Lbl_Element: return {16, 30, 250, 32};
    case Ob_Cylinder: return {290, 30, 150, 32};
    case Ob_Cone: return {470, 30, 190, 32};
    case Ob_Sphere: return {680, 30, 240, 32};

    case Frame_ToolData: return {kMargin, 276 - rise, 468, 236};
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
    case Cmd_Confirm: return {120, 520 - rise, 240, 48};

    case RTB_Tool: return QRect(QPoint(kMargin, kPaneTop - rise), QPoint(475, height - kMargin - 1));
    case TasterView:
      return QRect(QPoint(484, previewTop), QPoint(width - kMargin - 1, buttonsTop - kButtonsGap - 1));
    case FaceDraw: return {};  // never shown
    case Cmd_Export: return {484, buttonsTop, exportWidth, kButtonsHeight};
    case Cmd_Exit:
      return {484 + exportWidth + 11, buttonsTop, previewWidth - exportWidth - 11, kButtonsHeight};
  }
  return {};
}

QSize MinimumSize(const FormRoom& room) {
  return {kClientSize.width(), kPaneTop - Rise(room) + kLeastPaneHeight + kMargin};
}

}  // namespace tarvo::ui
