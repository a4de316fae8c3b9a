#include "ui/stl_actions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

#include "editor/status_line.h"
#include "mesh/stl_file.h"
#include "platform/files.h"
#include "ui/desktop_actions.h"
#include "ui/qt_text.h"
#include "ui/save_dialog.h"

namespace tarvo::ui {
namespace {

bool HasElement(const Form1& form) { return form.Editor().Tool().ElementCount > 0; }

void ExportStl(Form1& form, QString& lastDirectory) {
  if (!HasElement(form)) return;
  QString name = ToQString(form.Model().Text(editor::ControlId::Tb_ToolName)).trimmed();
  name.replace(QLatin1Char('/'), QLatin1Char('_'));
  const QString file =
      AskSavePath(form.window(), QObject::tr("Export STL"), lastDirectory,
                  name.isEmpty() ? QString() : name + QStringLiteral(".stl"),
                  QObject::tr("STL files (*.stl)"), QStringLiteral("stl"));
  if (file.isEmpty()) return;
  lastDirectory = QFileInfo(file).absolutePath();
  platform::DiskFileSystem files;
  const mesh::StlExport result =
      mesh::ExportStl(files, QFile::encodeName(file).toStdString(), form.Editor().Tool().Text());
  if (result.IsWritten()) {
    ShowNotice(form, editor::SavedNotice(form.Editor(), ToUtf8(QDir::toNativeSeparators(file))));
    return;
  }
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
                   [&form, lastDirectory = DataFolderOf(form)]() mutable { ExportStl(form, lastDirectory); });
  return action;
}

}  // namespace tarvo::ui
