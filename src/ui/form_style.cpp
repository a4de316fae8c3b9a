#include "ui/form_style.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>

namespace tarvo::ui {

using editor::ControlId;
using editor::ControlKind;

namespace {

QFont Arial(bool bold) {
  QFont font(QStringLiteral("Arial"), 12);
  font.setStyleHint(QFont::SansSerif);
  font.setBold(bold);
  return font;
}

// Fixed pitch, so that the definition lines keep their columns.
QFont CourierNew() {
  QFont font(QStringLiteral("Courier New"));
  font.setPointSizeF(9.75);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

void SetColour(QWidget* widget, QPalette::ColorRole role, QColor colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

bool IsRightAligned(ControlId id) {
  return id == ControlId::Lbl_Diam || id == ControlId::Lbl_Diam2 || id == ControlId::Lbl_Height ||
         id == ControlId::Lbl_LengthMin;
}

}  // namespace

void ApplyStyle(const editor::ControlRow& control, QWidget* widget) {
  switch (control.Kind) {
    case ControlKind::Frame:
    case ControlKind::Label:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
    case ControlKind::CommandButton: widget->setFont(Arial(true)); break;
    case ControlKind::TextBox:
    case ControlKind::ComboBox: widget->setFont(Arial(false)); break;
    case ControlKind::DefinitionPane: widget->setFont(CourierNew()); break;
    case ControlKind::Window:
    case ControlKind::Rectangle:
    case ControlKind::PreviewView:
    case ControlKind::ScratchTextBox: break;
  }
  if (control.Kind == ControlKind::Label) {
    static_cast<QLabel*>(widget)->setAlignment(
        (IsRightAligned(control.Id) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  }
  const QColor darkBlue(0, 0, 128);
  switch (control.Id) {
    case ControlId::Cmd_DelLast: SetColour(widget, QPalette::Button, QColor(255, 255, 128)); break;
    case ControlId::Cmd_DelAll: SetColour(widget, QPalette::Button, QColor(255, 0, 0)); break;
    case ControlId::Cmd_Add: SetColour(widget, QPalette::Button, QColor(0, 255, 0)); break;
    case ControlId::Cb_Disk: SetColour(widget, QPalette::WindowText, QColor(255, 0, 0)); break;
    case ControlId::Lbl_Element:
    case ControlId::Lbl_ElemType: SetColour(widget, QPalette::WindowText, darkBlue); break;
    default: break;
  }
}

}  // namespace tarvo::ui
