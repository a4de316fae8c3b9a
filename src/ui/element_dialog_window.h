#pragma once

#include <QDialog>
#include <array>

#include "editor/controls.h"

class QCheckBox;
class QLabel;

namespace tarvo::ui {

class Form1;

// The editor's element dialog on the screen: Step 4's fields and captions for
// one element, OK and Cancel. Every typing, pick and click goes to the
// editor; the widgets then follow its dialog. It closes when the editor's
// dialog does: after a change is made, on Cancel or Esc.
class ElementDialogWindow final : public QDialog {
  Q_OBJECT

 public:
  ElementDialogWindow(Form1& form, QWidget* parent);

  void done(int result) override;

 private:
  // The rows of the dialog, in the order of the window: one label and one field each.
  static constexpr std::array<editor::ControlId, 5> kFields = {
      editor::ControlId::Cb_Edges, editor::ControlId::Tb_Diam, editor::ControlId::Tb_Diam2,
      editor::ControlId::Tb_Height, editor::ControlId::Tb_LengthMin};

  void Follow();
  void Ok();

  Form1& form_;
  QLabel* type_;
  std::array<QLabel*, kFields.size()> labels_{};
  std::array<QWidget*, kFields.size()> fields_{};
  QCheckBox* disk_;
};

// Opens the dialog when the editor has one open, and waits until it closes.
void RunElementDialog(Form1& form, QWidget* parent);

}  // namespace tarvo::ui
