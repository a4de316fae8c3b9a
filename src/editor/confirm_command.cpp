// CONFIRM: checks the Step 4 fields, stores the element and adds its shape.
#include <optional>

#include "definition/confirmation.h"
#include "editor/editor.h"
#include "editor/messages.h"
#include "numbers/decimal_parser.h"
#include "numbers/value_checks.h"

namespace tarvo::editor {
namespace {

using enum ControlId;
using numbers::NumericField;

ControlId FieldControl(NumericField field) {
  switch (field) {
    case NumericField::Height: return Tb_Height;
    case NumericField::Diam: return Tb_Diam;
    case NumericField::Diam2: return Tb_Diam2;
    case NumericField::LengthMin: return Tb_LengthMin;
  }
  return Tb_Height;
}

constexpr NumericField kNumericFields[] = {NumericField::Height, NumericField::Diam,
                                           NumericField::Diam2, NumericField::LengthMin};

}  // namespace

void Editor::Cmd_Confirm_Click() {
  // The value checks rewrite every field they examine; the first bad one
  // ends the confirmation with its message and the focus.
  numbers::FieldTexts texts;
  for (NumericField field : kNumericFields) {
    texts[static_cast<std::size_t>(field)] = window_.Text(FieldControl(field));
  }
  const bool disk = window_.IsSelected(Cb_Disk);
  const numbers::ValueCheck check = numbers::CheckValues(elementKind_, disk, texts, format_);
  if (check.ValuesInvalid) ShowMessage(check.Message, kWindowTitle);
  for (NumericField field : kNumericFields) {
    window_.SetText(FieldControl(field), texts[static_cast<std::size_t>(field)]);
  }
  if (check.ValuesInvalid) {
    const ControlId failed = FieldControl(*check.InvalidField);
    window_.GiveFocus(failed);
    window_.SelectAll(failed);
    return;
  }

  const definition::ElementInput input{elementKind_,
                                       disk,
                                       window_.IsSelected(Ob_Extend),
                                       window_.Text(Tb_Height),
                                       window_.Text(Tb_Diam),
                                       window_.Text(Tb_Diam2),
                                       window_.Text(Tb_LengthMin),
                                       window_.Text(Cb_Edges),
                                       window_.Text(Cb_Extension)};
  const bool polygonal = elementKind_ == "Polygon" || elementKind_ == "Complex";
  if (polygonal && !numbers::ParseEdgeCount(input.Edges)) {
    ShowMessage(kEdgeCountMessage, kWindowTitle);
    window_.GiveFocus(Cb_Edges);
    window_.SelectAll(Cb_Edges);
    return;
  }
  const std::optional<definition::Footprint> footprint = definition::ElementFootprint(input);
  if (!footprint) return;  // no element type chosen: nothing to store
  if (!definition::Fits(tool_, scene_.Mesh, *footprint)) {
    ShowMessage(kToolFullMessage, kWindowTitle);
    return;
  }

  confirmed_ = ElementEntry{std::string(elementKind_), disk};
  for (ControlId field : FieldsOf(*confirmed_)) FieldText(*confirmed_, field) = window_.Text(field);
  accepted_ = AcceptedElement{*confirmed_, commands_};

  window_.Hide(Frame_ToolData);
  window_.Hide(Frame_Element);
  const auto shape = definition::ConfirmElement(tool_, scene_.Mesh, input, format_);
  Report(kPreviewFailedMessage, scene_.SecurityCopy());
  switch (*shape) {
    case definition::Shape::Cylinder:
      Report(kPreviewFailedMessage, scene_.AddCylinder(input.Height, input.Diam, format_));
      break;
    case definition::Shape::Cone:
      Report(kPreviewFailedMessage, scene_.AddCone(input.Height, input.Diam, input.Diam2, format_));
      break;
    case definition::Shape::Sphere:
      Report(kPreviewFailedMessage, scene_.AddSphere(input.Diam, format_));
      break;
    case definition::Shape::Disk:
      Report(kPreviewFailedMessage, scene_.AddDisk(input.Height, input.Diam, format_));
      break;
    case definition::Shape::Polygon:
      Report(kPreviewFailedMessage,
             scene_.AddPolygon(tool_.ElementTopZ, tool_.ElementBottomZ, format_));
      window_.SetText(FaceDraw, "");  // the face lines' scratch buffer, emptied after each face
      break;
  }
  const int added = tool_.LinesPerElement[static_cast<std::size_t>(tool_.ElementCount)];
  window_.AppendText(RTB_Tool, tool_.LastLines(added));

  window_.Hide(Cmd_Add);
  window_.Show(Cmd_DelLast);
  window_.Show(Cmd_DelAll);
  window_.Hide(Frame_Buttons);
  window_.Show(Frame_Element);
  window_.Hide(Cmd_Export);
  const bool exportable = window_.IsSelected(Ob_Extend) || elementKind_ == "Sphere" ||
                          elementKind_ == "Polygon" || elementKind_ == "Complex";
  if (exportable) window_.Show(Cmd_Export);
  window_.Show(Cmd_Confirm);
  if (elementOption_ == "SPHERE") {
    RunClickAction(Ob_Sphere);
  } else if (elementOption_ == "CYLINDER") {
    RunClickAction(Ob_Cylinder);
  } else if (elementOption_ == "CONE") {
    RunClickAction(Ob_Cone);
  }
}

}  // namespace tarvo::editor
