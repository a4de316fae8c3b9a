#pragma once

#include <QWidget>

#include "editor/controls.h"

namespace tarvo::ui {

// Gives a control's widget its font, colours and alignment.
void ApplyStyle(const editor::ControlRow& control, QWidget* widget);

}  // namespace tarvo::ui
