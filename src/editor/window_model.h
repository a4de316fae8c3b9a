#pragma once

#include <array>
#include <string>
#include <vector>

#include "editor/controls.h"

namespace tarvo::editor {

// What the window shows of one control.
struct ControlState {
  bool Visible = true;
  bool Enabled = true;
  std::string Text;       // the text of a text or combo box, the caption of the others
  bool Selected = false;  // an option button's selection; the check box set (1) or clear (0)
  std::vector<std::string> Items;  // a combo box's list
  int SelectionStart = 0;          // a text or combo box's selected text
  int SelectionLength = 0;
};

// Every control of the window with its visibility, enabled state, text or
// caption, selection and list, plus the keyboard focus. The window mirrors
// it; the editor's commands are its only writers.
class WindowModel {
 public:
  WindowModel();

  const ControlState& State(ControlId id) const { return states_[Index(id)]; }
  const std::string& Text(ControlId id) const { return State(id).Text; }
  bool IsSelected(ControlId id) const { return State(id).Selected; }
  // Shown on the screen: it and every frame that holds it are visible.
  bool IsShown(ControlId id) const;
  // Shown and enabled, as the user needs it to act on a control.
  bool IsUsable(ControlId id) const { return IsShown(id) && State(id).Enabled; }
  ControlId Focus() const { return focus_; }

  void SetVisible(ControlId id, bool visible);
  void Show(ControlId id) { SetVisible(id, true); }
  void Hide(ControlId id) { SetVisible(id, false); }
  void SetEnabled(ControlId id, bool enabled);
  // A command's new text or caption; a changed text puts the caret at its start.
  void SetText(ControlId id, std::string text);
  // The user's typing: the caret ends behind the text.
  void SetTypedText(ControlId id, std::string text);
  void AppendText(ControlId id, const std::string& text);
  // Selects an option button, clearing the others of its group; or sets or
  // clears the check box.
  void SetSelected(ControlId id, bool selected);
  void AddItem(ControlId id, std::string item);
  // Moves the keyboard focus; a text box that gets it selects its whole text.
  // A control that cannot take the focus does not get it.
  void GiveFocus(ControlId id);
  void SelectAll(ControlId id);

 private:
  static std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }
  bool CanTakeFocus(ControlId id) const;
  // A control that vanishes or is disabled passes the focus on in tab order.
  void KeepFocusOnAUsableControl();

  std::array<ControlState, kControls.size()> states_;
  ControlId focus_ = ControlId::Cmd_NewTool;
};

}  // namespace tarvo::editor
