#include "ui/sheet_actions.h"

#include "definition/tool_names.h"
#include "platform/text.h"
#include "ui/qt_text.h"
#include "ui/desktop_actions.h"
#include "ui/probes_dialog.h"
#include "ui/sheet_dialog.h"

namespace tarvo::ui {
namespace {

bool HasElement(const Form1& form) { return form.Editor().Tool().ElementCount > 0; }

}  // namespace

QAction* AddDataSheet(QMenu& fileMenu, Form1& form, QAction* above) {
  auto* action = new QAction(QObject::tr("Tool &data sheet\u2026"), &fileMenu);
  action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  fileMenu.insertAction(fileMenu.actions().value(fileMenu.actions().indexOf(above) + 1), action);
  action->setEnabled(HasElement(form));
  QObject::connect(&form, &Form1::commandRun, action, [action, &form] { action->setEnabled(HasElement(form)); });
  QObject::connect(action, &QAction::triggered, &form, [&form] {
    if (!HasElement(form)) return;
    // The tool under way is not in usrprobe.dat until EXPORT, unless it is
    // a tool of the file being edited.
    int position = 0, tools = 0;
    if (const std::optional<editor::EditedTool>& edited = form.Editor().Edited()) {
      position = static_cast<int>(edited->Position) + 1;
      tools = static_cast<int>(definition::ReadToolNames(form.Editor().Scene().DefinitionPath()).size());
    }
    auto* dialog = new SheetDialog(form.Editor().Tool().Text(), position, tools, DataFolderOf(form), form.window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
  });
  return action;
}

QAction* AddProbes(QMenu& fileMenu, Form1& form, QAction* above) {
  auto* action = new QAction(QObject::tr("P&robes\u2026"), &fileMenu);
  fileMenu.insertAction(fileMenu.actions().value(fileMenu.actions().indexOf(above) + 1), action);
  QObject::connect(action, &QAction::triggered, &form, [&form] {
    auto* dialog = new ProbesDialog(platform::PathFromText(ToUtf8(DataFolderOf(form))), form.window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
  });
  return action;
}

}  // namespace tarvo::ui
