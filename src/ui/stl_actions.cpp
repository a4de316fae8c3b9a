#include "ui/stl_actions.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "mesh/stl_file.h"
#include "scene/file_system.h"
#include "ui/qt_text.h"

namespace tarvo::ui {
namespace {

bool HasElement(const Form1& form) { return form.Editor().Tool().ElementCount > 0; }

void ExportStl(Form1& form, QString& lastDirectory) {
  if (!HasElement(form)) return;
  QFileDialog dialog(form.window(), QObject::tr("Export STL"), lastDirectory,
                     QObject::tr("STL files (*.stl)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("stl"));
  QString name = ToQString(form.Model().Text(editor::ControlId::Tb_ToolName)).trimmed();
  name.replace(QLatin1Char('/'), QLatin1Char('_'));
  if (!name.isEmpty()) dialog.selectFile(name + QStringLiteral(".stl"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString file = dialog.selectedFiles().constFirst();
  lastDirectory = QFileInfo(file).absolutePath();
  scene::PosixFileSystem files;
  const mesh::StlExport result =
      mesh::ExportStl(files, QFile::encodeName(file).toStdString(), form.Editor().Tool().Text());
  if (result.IsWritten()) return;
  QMessageBox box(QMessageBox::Warning, QObject::tr("Export STL"), ToQString(result.Message),
                  QMessageBox::Ok, form.window());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

QAction* AddStlExport(QMenu& fileMenu, Form1& form) {
  auto* action = new QAction(QObject::tr("Export &STL…"), &fileMenu);
  // Before Exit, which stays the menu's last entry.
  QAction* before = fileMenu.actions().value(0);
  fileMenu.insertAction(before, action);
  if (before) fileMenu.insertSeparator(before);
  action->setEnabled(HasElement(form));
  QObject::connect(&form, &Form1::commandRun, action, [action, &form] { action->setEnabled(HasElement(form)); });
  QObject::connect(action, &QAction::triggered, &form,
                   [&form, lastDirectory = QDir::homePath()]() mutable { ExportStl(form, lastDirectory); });
  return action;
}

}  // namespace tarvo::ui
