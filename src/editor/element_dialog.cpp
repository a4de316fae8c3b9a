#include "editor/element_dialog.h"

#include <algorithm>

namespace tarvo::editor {

using enum ControlId;

namespace {

bool IsPolygonal(const ElementEntry& element) {
  return element.Kind == "Polygon" || element.Kind == "Complex";
}

// The label in front of a field.
ControlId LabelOf(ControlId field) {
  switch (field) {
    case Tb_Diam2: return Lbl_Diam2;
    case Tb_Height: return Lbl_Height;
    case Tb_LengthMin: return Lbl_LengthMin;
    default: return Lbl_Diam;
  }
}

}  // namespace

std::string ElementDialog::Title() const {
  const std::string k = std::to_string(Position);
  return Purpose == StepKind::Change ? "Change element " + k : "Insert an element above element " + k;
}

bool ElementDialog::IsShown(ControlId id) const {
  if (id == Lbl_ElemType) return true;
  if (id == Cb_Disk) return Element.Kind == "Sphere";
  const std::vector<ControlId> fields = FieldsOf(Element);
  return std::any_of(fields.begin(), fields.end(),
                     [id](ControlId field) { return field == id || LabelOf(field) == id; });
}

std::string ElementDialog::Caption(ControlId id) const {
  const std::string_view kind = Element.Kind;
  switch (id) {
    case Lbl_ElemType:
      if (kind == "Cone") return "CONE";
      if (kind == "Sphere") return Element.Disk ? "DISK" : "SPHERE";
      if (kind == "Polygon") return "POLYGON";
      if (kind == "Complex") return "2 LEVELS POLYGON";
      return "CYLINDER";
    case Lbl_Diam: return IsPolygonal(Element) ? "NR. OF EDGES:" : "DIAMETER:";
    case Lbl_Diam2:
      if (kind == "Polygon") return "POLYGON EDGE LENGTH:";
      if (kind == "Complex") return "UPPER POLYGON EDGE:";
      return "MINOR DIAMETER:";
    default: return std::string(Row(id).DesignText);
  }
}

std::string ElementDialog::Text(ControlId id) const {
  switch (id) {
    case Tb_Diam: case Tb_Diam2: case Tb_Height: case Tb_LengthMin: case Cb_Edges:
      return FieldText(Element, id);
    default: return Caption(id);
  }
}

ControlId ElementDialog::FirstField() const { return IsPolygonal(Element) ? Tb_Diam2 : Tb_Diam; }

}  // namespace tarvo::editor
