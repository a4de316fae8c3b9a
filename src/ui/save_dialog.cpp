#include "ui/save_dialog.h"

#include <QFileDialog>

namespace tarvo::ui {

QString AskSavePath(QWidget* parent, const QString& caption, const QString& folder,
                    const QString& name, const QString& filter, const QString& suffix) {
  QFileDialog dialog(parent, caption, folder, filter);
  dialog.setObjectName(QStringLiteral("SaveDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  if (!name.isEmpty()) dialog.selectFile(name);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace tarvo::ui
