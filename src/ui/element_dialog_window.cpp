#include "ui/element_dialog_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "ui/form1.h"
#include "ui/qt_text.h"

namespace tarvo::ui {

using editor::ControlId;

ElementDialogWindow::ElementDialogWindow(Form1& form, QWidget* parent)
    : QDialog(parent), form_(form), type_(new QLabel(this)), disk_(new QCheckBox(this)) {
  setObjectName(QStringLiteral("ElementDialog"));
  setWindowTitle(ToQString(form.Editor().Dialog()->Title()));
  // Wide enough for its title on the window manager's bar.
  setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);
  auto* layout = new QFormLayout(this);
  type_->setObjectName(QStringLiteral("Lbl_ElemType"));
  layout->addRow(type_);
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    const ControlId id = kFields[i];
    labels_[i] = new QLabel(this);
    if (id == ControlId::Cb_Edges) {
      auto* combo = new QComboBox(this);
      combo->setEditable(true);
      for (const std::string& item : form.Model().State(id).Items) combo->addItem(ToQString(item));
      connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, id](const QString& text) {
        form_.RunOnEditor([id, &text](editor::Editor& editor) { editor.TypeInDialog(id, ToUtf8(text)); });
      });
      connect(combo, &QComboBox::activated, this, [this, id](int index) {
        form_.RunOnEditor([id, index](editor::Editor& editor) { editor.PickInDialog(id, static_cast<std::size_t>(index)); });
      });
      fields_[i] = combo;
    } else {
      auto* edit = new QLineEdit(this);
      connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
        form_.RunOnEditor([id, &text](editor::Editor& editor) { editor.TypeInDialog(id, ToUtf8(text)); });
      });
      fields_[i] = edit;
    }
    fields_[i]->setObjectName(ToQString(editor::Row(id).Name));
    layout->addRow(labels_[i], fields_[i]);
  }
  disk_->setObjectName(QStringLiteral("Cb_Disk"));
  disk_->setText(ToQString(editor::Row(ControlId::Cb_Disk).DesignText));
  connect(disk_, &QCheckBox::clicked, this, [this] {
    form_.RunOnEditor([](editor::Editor& editor) { editor.ToggleDiskInDialog(); });
    Follow();
  });
  layout->addRow(disk_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("Ok"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &ElementDialogWindow::Ok);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addRow(buttons);
  Follow();
}

void ElementDialogWindow::Follow() {
  const std::optional<editor::ElementDialog>& dialog = form_.Editor().Dialog();
  if (!dialog) return;
  type_->setText(ToQString(dialog->Caption(ControlId::Lbl_ElemType)));
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    const ControlId id = kFields[i];
    const bool shown = dialog->IsShown(id);
    labels_[i]->setVisible(shown);
    fields_[i]->setVisible(shown);
    labels_[i]->setText(ToQString(dialog->Caption(id == ControlId::Cb_Edges || id == ControlId::Tb_Diam
                                                      ? ControlId::Lbl_Diam
                                                  : id == ControlId::Tb_Diam2  ? ControlId::Lbl_Diam2
                                                  : id == ControlId::Tb_Height ? ControlId::Lbl_Height
                                                                               : ControlId::Lbl_LengthMin)));
    QLineEdit* edit = id == ControlId::Cb_Edges ? static_cast<QComboBox*>(fields_[i])->lineEdit()
                                                : static_cast<QLineEdit*>(fields_[i]);
    const QString text = ToQString(dialog->Text(id));
    if (edit->text() != text) {
      const QSignalBlocker blocker(edit);
      edit->setText(text);
    }
  }
  disk_->setVisible(dialog->IsShown(ControlId::Cb_Disk));
  {
    const QSignalBlocker blocker(disk_);
    disk_->setChecked(dialog->Element.Disk);
  }
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    if (kFields[i] == dialog->Focus) fields_[i]->setFocus();
  }
}

void ElementDialogWindow::Ok() {
  form_.RunOnEditor([](editor::Editor& editor) { editor.DialogOk(); });
  if (!form_.Editor().Dialog()) return QDialog::accept();
  // A bad value: the message was shown; the field with it takes the focus.
  Follow();
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    if (kFields[i] != form_.Editor().Dialog()->Focus) continue;
    if (auto* edit = qobject_cast<QLineEdit*>(fields_[i])) edit->selectAll();
    if (auto* combo = qobject_cast<QComboBox*>(fields_[i])) combo->lineEdit()->selectAll();
  }
}

void ElementDialogWindow::done(int result) {
  if (result != QDialog::Accepted) form_.RunOnEditor([](editor::Editor& editor) { editor.DialogCancel(); });
  QDialog::done(result);
}

void RunElementDialog(Form1& form, QWidget* parent) {
  if (!form.Editor().Dialog()) return;
  ElementDialogWindow dialog(form, parent);
  dialog.exec();
}

}  // namespace tarvo::ui
