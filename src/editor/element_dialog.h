#pragma once

#include <string>

#include "editor/controls.h"
#include "editor/history.h"

namespace tarvo::editor {

// The small dialog that changes element K or inserts a new element above it:
// Step 4's fields and captions for the element's type, filled with its texts.
struct ElementDialog {
  StepKind Purpose = StepKind::Change;  // Change or Insert
  int Position = 1;                     // element K, from 1
  ElementEntry Element;
  ControlId Focus = ControlId::Tb_Diam;

  // "Change element 3" or "Insert an element above element 3".
  std::string Title() const;
  // Whether the dialog shows this control: the type's fields, their labels,
  // Lbl_ElemType and, for a ball or disk, Cb_Disk.
  bool IsShown(ControlId id) const;
  // The caption of a label or of Cb_Disk, as Step 4 shows it for the type.
  std::string Caption(ControlId id) const;
  // The text of a field, the caption of anything else.
  std::string Text(ControlId id) const;
  // The field whose value the first field check examines: where the focus starts.
  ControlId FirstField() const;
};

}  // namespace tarvo::editor
