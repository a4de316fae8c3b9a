#include "editor/window_model.h"

#include <algorithm>

namespace tarvo::editor {
namespace {

constexpr bool TableIsInIdOrder() {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (static_cast<std::size_t>(kControls[i].Id) != i) return false;
  }
  return true;
}
static_assert(TableIsInIdOrder(), "the controls table must list the controls in ControlId order");

bool SelectsAllOnFocus(ControlId id) {
  return id == ControlId::Tb_ToolName || id == ControlId::Tb_Diam || id == ControlId::Tb_Diam2 ||
         id == ControlId::Tb_Height || id == ControlId::Tb_LengthMin;
}

}  // namespace

std::optional<ControlId> FindControl(std::string_view name) {
  for (const ControlRow& control : kControls) {
    if (control.Name == name) return control.Id;
  }
  return std::nullopt;
}

WindowModel::WindowModel() {
  for (const ControlRow& control : kControls) {
    states_[Index(control.Id)].Text = std::string(control.DesignText);
    states_[Index(control.Id)].Visible = !control.HiddenAtDesign;
  }
}

bool WindowModel::IsShown(ControlId id) const {
  for (;;) {
    if (!State(id).Visible) return false;
    const ControlId container = Row(id).Container;
    if (container == id) return true;
    id = container;
  }
}

bool WindowModel::CanTakeFocus(ControlId id) const {
  return std::find(kTabOrder.begin(), kTabOrder.end(), id) != kTabOrder.end() && IsUsable(id);
}

void WindowModel::SetVisible(ControlId id, bool visible) {
  states_[Index(id)].Visible = visible;
  KeepFocusOnAUsableControl();
}

void WindowModel::SetEnabled(ControlId id, bool enabled) {
  states_[Index(id)].Enabled = enabled;
  KeepFocusOnAUsableControl();
}

void WindowModel::SetText(ControlId id, std::string text) {
  ControlState& state = states_[Index(id)];
  if (state.Text == text) return;  // an unchanged text keeps its selection
  state.Text = std::move(text);
  state.SelectionStart = 0;
  state.SelectionLength = 0;
}

void WindowModel::SetTypedText(ControlId id, std::string text) {
  ControlState& state = states_[Index(id)];
  state.Text = std::move(text);
  state.SelectionStart = static_cast<int>(state.Text.size());
  state.SelectionLength = 0;
}

void WindowModel::AppendText(ControlId id, const std::string& text) { states_[Index(id)].Text += text; }

void WindowModel::SetSelected(ControlId id, bool selected) {
  const int group = Row(id).Group;
  if (selected && group != 0) {
    for (const ControlRow& control : kControls) {
      if (control.Group == group) states_[Index(control.Id)].Selected = false;
    }
  }
  states_[Index(id)].Selected = selected;
}

void WindowModel::AddItem(ControlId id, std::string item) { states_[Index(id)].Items.push_back(std::move(item)); }

void WindowModel::GiveFocus(ControlId id) {
  if (id == focus_ || !CanTakeFocus(id)) return;
  focus_ = id;
  if (SelectsAllOnFocus(id)) SelectAll(id);
}

void WindowModel::SelectAll(ControlId id) {
  ControlState& state = states_[Index(id)];
  state.SelectionStart = 0;
  state.SelectionLength = static_cast<int>(state.Text.size());
}

void WindowModel::KeepFocusOnAUsableControl() {
  if (CanTakeFocus(focus_)) return;
  const auto* at = std::find(kTabOrder.begin(), kTabOrder.end(), focus_);
  const std::size_t start = at == kTabOrder.end() ? 0 : static_cast<std::size_t>(at - kTabOrder.begin());
  for (std::size_t step = 1; step <= kTabOrder.size(); ++step) {
    const ControlId next = kTabOrder[(start + step) % kTabOrder.size()];
    if (CanTakeFocus(next)) {
      focus_ = next;
      if (SelectsAllOnFocus(next)) SelectAll(next);
      return;
    }
  }
}

}  // namespace tarvo::editor
