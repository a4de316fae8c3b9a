// Changing, inserting and removing an element of the tool under way.
#include "editor/editor.h"
#include "editor/messages.h"
#include "numbers/decimal_parser.h"
#include "numbers/value_checks.h"

namespace tarvo::editor {

using enum ControlId;

namespace {

ControlId FieldControl(numbers::NumericField field) {
  switch (field) {
    case numbers::NumericField::Height: return Tb_Height;
    case numbers::NumericField::Diam: return Tb_Diam;
    case numbers::NumericField::Diam2: return Tb_Diam2;
    case numbers::NumericField::LengthMin: return Tb_LengthMin;
  }
  return Tb_Height;
}

bool IsField(ControlId id) {
  return id == Tb_Diam || id == Tb_Diam2 || id == Tb_Height || id == Tb_LengthMin || id == Cb_Edges;
}

}  // namespace

std::optional<int> Editor::ElementAtLine(int line) const {
  int last = tool_.LineCount;
  for (int k = tool_.ElementCount; k >= 1; --k) {
    const int first = last - tool_.LinesPerElement[static_cast<std::size_t>(k)] + 1;
    if (line >= first && line <= last) return k;
    last = first - 1;
  }
  return std::nullopt;
}

bool Editor::OpenChange(int k) {
  const std::optional<ToolUnderWay> tool = Underway();
  if (dialog_ || !tool || k < 1 || k > static_cast<int>(tool->Elements.size())) return false;
  dialog_ = ElementDialog{StepKind::Change, k, tool->Elements[static_cast<std::size_t>(k - 1)]};
  dialog_->Focus = dialog_->FirstField();
  return true;
}

bool Editor::OpenInsert(int k, std::string_view elementKind) {
  const std::optional<ToolUnderWay> tool = Underway();
  if (dialog_ || !tool || !tool->Kind || !KindOffers(*tool->Kind, elementKind) || k < 1 ||
      k > static_cast<int>(tool->Elements.size()) + 1) {
    return false;
  }
  dialog_ = ElementDialog{StepKind::Insert, k, ElementEntry{std::string(elementKind)}};
  dialog_->Focus = dialog_->FirstField();
  return true;
}

bool Editor::RemoveElement(int k) {
  const std::optional<ToolUnderWay> tool = Underway();
  if (dialog_ || !tool || k < 1 || k > static_cast<int>(tool->Elements.size())) return false;
  return Commit(ElementStep(StepKind::Remove, k));
}

void Editor::TypeInDialog(ControlId field, std::string text) {
  if (!dialog_ || !IsField(field) || !dialog_->IsShown(field)) return;
  dialog_->Focus = field;
  FieldText(dialog_->Element, field) = std::move(text);
}

void Editor::PickInDialog(ControlId field, std::size_t index) {
  const std::vector<std::string>& items = window_.State(Cb_Edges).Items;
  if (field != Cb_Edges || index >= items.size()) return;
  TypeInDialog(field, items[index]);
}

void Editor::ToggleDiskInDialog() {
  if (!dialog_ || !dialog_->IsShown(Cb_Disk)) return;
  // As the DISK box of Step 4: the height starts again from 0.
  ElementDialog& dialog = *dialog_;
  dialog.Element.Disk = !dialog.Element.Disk;
  dialog.Element.Height.assign(1, '0');
  dialog.Focus = Tb_Diam;
}

void Editor::FocusInDialog(ControlId field) {
  if (dialog_ && dialog_->IsShown(field) && (IsField(field) || field == Cb_Disk)) dialog_->Focus = field;
}

bool Editor::DialogOk() {
  if (!dialog_) return false;
  ElementEntry& element = dialog_->Element;
  // The value checks of CONFIRM, with their messages and rewritten texts.
  numbers::FieldTexts texts{element.Height, element.Diam, element.Diam2, element.LengthMin};
  const numbers::ValueCheck check = numbers::CheckValues(element.Kind, element.Disk, texts, format_);
  element.Height = texts[0], element.Diam = texts[1], element.Diam2 = texts[2], element.LengthMin = texts[3];
  if (check.ValuesInvalid) {
    ShowMessage(check.Message, kWindowTitle);
    dialog_->Focus = FieldControl(*check.InvalidField);
    return false;
  }
  if ((element.Kind == "Polygon" || element.Kind == "Complex") && !numbers::ParseEdgeCount(element.Edges)) {
    ShowMessage(kEdgeCountMessage, kWindowTitle);
    dialog_->Focus = Cb_Edges;
    return false;
  }
  if (!Commit(ElementStep(dialog_->Purpose, dialog_->Position, element))) return false;
  accepted_ = AcceptedElement{element, commands_};
  dialog_.reset();
  return true;
}

}  // namespace tarvo::editor
