#include "editor/window_model.h"

#include <gtest/gtest.h>

namespace tarvo::editor {
namespace {

using enum ControlId;

TEST(WindowModel, AHiddenFrameHidesItsControlsWhichKeepTheirOwnSetting) {
  WindowModel window;
  window.Hide(Frame_ToolData);
  EXPECT_FALSE(window.IsShown(Tb_Diam));
  EXPECT_TRUE(window.State(Tb_Diam).Visible);
  window.Show(Frame_ToolData);
  EXPECT_TRUE(window.IsShown(Tb_Diam));
}

TEST(WindowModel, OptionsAreExclusiveWithinTheirGroup) {
  WindowModel window;
  window.SetSelected(Ob_Tip, true);
  window.SetSelected(Ob_Cone, true);
  window.SetSelected(Ob_Polyg, true);
  EXPECT_FALSE(window.IsSelected(Ob_Tip));
  EXPECT_TRUE(window.IsSelected(Ob_Polyg));
  EXPECT_TRUE(window.IsSelected(Ob_Cone));
}

TEST(WindowModel, TheFocusSelectsATextBoxAndMovesOnWhenItsControlVanishes) {
  WindowModel window;
  window.SetText(Tb_Height, "12");
  window.GiveFocus(Tb_Height);
  EXPECT_EQ(window.State(Tb_Height).SelectionLength, 2);
  window.SetTypedText(Tb_Height, "123");
  EXPECT_EQ(window.State(Tb_Height).SelectionStart, 3);
  EXPECT_EQ(window.State(Tb_Height).SelectionLength, 0);
  window.Hide(Tb_Height);
  EXPECT_EQ(window.Focus(), Tb_LengthMin);  // the next in tab order
  EXPECT_EQ(window.State(Tb_LengthMin).SelectionStart, 0);
  window.SetEnabled(Tb_LengthMin, false);
  EXPECT_EQ(window.Focus(), Cmd_Confirm);
  window.GiveFocus(Lbl_Diam);  // a label never takes the focus
  EXPECT_EQ(window.Focus(), Cmd_Confirm);
}

}  // namespace
}  // namespace tarvo::editor
