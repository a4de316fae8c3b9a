#include "ui/library_actions.h"

#include <QMessageBox>

#include "definition/code_page.h"
#include "library/library_changes.h"
#include "library/tool_script.h"
#include "editor/messages.h"
#include "ui/qt_message_boxes.h"

namespace tarvo::ui {
namespace {

using editor::ControlId;

QString Title(const Form1& form) {
  const QString fixed = QString::fromUtf8(editor::kWindowTitle.data(), editor::kWindowTitle.size());
  const auto& edited = form.Editor().Edited();
  if (!edited) return fixed;
  return QObject::tr("%1 — Editing %2 from usrprobe.dat: EXPORT replaces it")
      .arg(fixed, QString::fromStdString(edited->Name));
}

}  // namespace

bool EditTool(MainWindow& window, LibraryWindow& library, int position) {
  Form1& form = window.Form();
  const QString title = window.windowTitle();
  if (position < 1 || position > static_cast<int>(library.Tools().Tools.size())) return false;
  const std::string name = library.Tools().Tools[static_cast<std::size_t>(position - 1)].Name;
  if (!form.Model().IsShown(ControlId::Frame_NewTool)) {
    if (!form.Model().IsShown(ControlId::Cmd_DelAll)) {
      QMessageBox::information(&library, title,
                               QObject::tr("The tool under way has no element yet. Press ADD ELEMENT "
                                           "and DELETE ALL to discard it first."));
      return false;
    }
    if (QMessageBox::question(&library, title,
                              QObject::tr("A tool is under way. Discard it and edit %1?")
                                  .arg(QString::fromStdString(definition::FromWindows1252(name)))) !=
        QMessageBox::Yes) {
      return false;
    }
    form.Click(ControlId::Cmd_DelAll);
  }
  const std::optional<editor::Question> question = form.Editor().DiscardQuestion();
  if (question) {
    const std::string answer = QtMessageBoxes(&library).Ask(*question);
    if (answer == editor::kReopenButton) {
      form.RunOnEditor([](editor::Editor& editor) { editor.ReopenUnfinished(); });
      window.raise();
      window.activateWindow();
    }
    if (answer != editor::kDiscardButton) return false;
  }
  // The file may have been read again while the question was open.
  const library::Library& tools = library.Tools();
  if (position > static_cast<int>(tools.Tools.size()) ||
      tools.Tools[static_cast<std::size_t>(position - 1)].Name != name) {
    QMessageBox::warning(&library, title, QObject::tr("usrprobe.dat has changed: choose the tool again."));
    return false;
  }
  const library::Tool& tool = tools.Tools[static_cast<std::size_t>(position - 1)];
  std::string reason;
  form.RunOnEditor([&](editor::Editor& editor) {
    reason = library::LoadForEdit(editor, library::DeriveScript(tools, tool, editor.Format().Separator()),
                                  tools, tool, question.has_value());
  });
  if (!reason.empty()) {
    QMessageBox::warning(&library, title,
                         QObject::tr("The tool cannot be edited: %1").arg(QString::fromStdString(reason)));
    return false;
  }
  window.raise();
  window.activateWindow();
  return true;
}

void AddLibraryActions(MainWindow& window, LibraryWindow::PreviewFactory makePreview) {
  QMenu* file = window.FileMenu();
  auto* open = new QAction(QObject::tr("Tool &library…"), &window);
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  file->insertAction(file->actions().value(0), open);
  QObject::connect(open, &QAction::triggered, &window, [&window, makePreview] {
    auto* library = window.findChild<LibraryWindow*>();
    if (library == nullptr) {
      library = new LibraryWindow(window.Form().Editor().Scene().DefinitionPath().parent_path(), makePreview,
                                  &window);
      QObject::connect(library, &LibraryWindow::editRequested, &window,
                       [&window, library](int position) { EditTool(window, *library, position); });
    }
    library->show();
    library->raise();
    library->activateWindow();
  });
  QObject::connect(&window.Form(), &Form1::commandRun, &window,
                   [&window] { window.setWindowTitle(Title(window.Form())); });
}

}  // namespace tarvo::ui
