#include "ui/library_actions.h"

#include <QMessageBox>
#include <sstream>

#include "definition/code_page.h"
#include "library/library_changes.h"
#include "library/tool_script.h"
#include "editor/messages.h"
#include "editor/status_line.h"
#include "script/replay_script.h"
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

// Makes way in the editor for a tool from the library: a tool under way is
// discarded when the user answers `ask` with Yes. Nothing when the user does
// not; otherwise whether the unfinished tool of an earlier run is to be
// discarded too (the user answered Discard).
std::optional<bool> MakeWay(MainWindow& window, QWidget& parent, const QString& ask) {
  Form1& form = window.Form();
  const QString title = window.windowTitle();
  if (!form.Model().IsShown(ControlId::Frame_NewTool)) {
    if (!form.Model().IsShown(ControlId::Cmd_DelAll)) {
      QMessageBox::information(&parent, title,
                               QObject::tr("The tool under way has no element yet. Press ADD ELEMENT "
                                           "and DELETE ALL to discard it first."));
      return std::nullopt;
    }
    if (QMessageBox::question(&parent, title, ask) != QMessageBox::Yes) {
      return std::nullopt;
    }
    form.Click(ControlId::Cmd_DelAll);
  }
  const std::optional<editor::Question> question = form.Editor().DiscardQuestion();
  if (question) {
    const std::string answer = QtMessageBoxes(&parent).Ask(*question);
    if (answer == editor::kReopenButton) {
      form.RunOnEditor([](editor::Editor& editor) { editor.ReopenUnfinished(); });
      window.raise();
      window.activateWindow();
    }
    if (answer != editor::kDiscardButton) return std::nullopt;
  }
  return question.has_value();
}

}  // namespace

bool EditTool(MainWindow& window, LibraryWindow& library, int position) {
  Form1& form = window.Form();
  const QString title = window.windowTitle();
  if (position < 1 || position > static_cast<int>(library.Tools().Tools.size())) return false;
  const std::string name = library.Tools().Tools[static_cast<std::size_t>(position - 1)].Name;
  const std::optional<bool> discard =
      MakeWay(window, library, QObject::tr("A tool is under way. Discard it and edit %1?")
                                   .arg(QString::fromStdString(definition::FromWindows1252(name))));
  if (!discard) return false;
  const bool question = *discard;
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
                                  tools, tool, question);
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

bool WriteStack(MainWindow& window, LibraryWindow& library, const QString& name,
                const library::OneToolScript& script) {
  Form1& form = window.Form();
  const std::optional<bool> discard =
      MakeWay(window, library, QObject::tr("A tool is under way. Discard it and write %1?").arg(name));
  if (!discard) return false;
  if (form.Editor().Format().Separator() != script.Separator) {
    QMessageBox::warning(&library, window.windowTitle(),
                         QObject::tr("The assembly's tools are written with %1 as decimal separator, the editor "
                                     "uses the other.")
                             .arg(script.Separator == ',' ? QObject::tr("a comma") : QObject::tr("a point")));
    return false;
  }
  // Typed as the user would type it, then EXPORT: its backup, its append,
  // its message on a failure, and its step in the history.
  const std::string& all = script.Script;
  const std::string started = "click Cmd_NewTool\n";
  const std::size_t split = all.find(started) + started.size();
  const std::size_t exportAt = all.rfind("click Cmd_Export\n");
  std::string failure;
  std::optional<std::string> notice;
  form.RunOnEditor([&](editor::Editor& editor) {
    if (*discard) editor.AcceptDiscard();
    std::ostringstream out, err;
    replay::ReplayMessages messages(out);
    if (replay::RunScript("assembly", all.substr(0, split), editor, messages, out, err) == replay::kOk) {
      notice = editor::DuplicateNameNotice(editor);  // shown between NEW TOOL and ADD ELEMENT
      if (replay::RunScript("assembly", all.substr(split, exportAt - split), editor, messages, out, err) == replay::kOk) {
        return;
      }
    }
    failure = err.str() + out.str();
  });
  if (!failure.empty()) {
    QMessageBox::warning(&library, window.windowTitle(),
                         QObject::tr("The assembly was not typed: %1").arg(QString::fromStdString(failure)));
    return false;
  }
  form.Click(ControlId::Cmd_Export);
  if (!form.Editor().Exported()) return false;
  library.Assemblies()->SetDone(
      QObject::tr("Written to usrprobe.dat as the tool %1.").arg(name) +
      (notice ? " " + QString::fromStdString(*notice) : QString()));
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
      QObject::connect(library, &LibraryWindow::writeRequested, &window,
                       [&window, library](const QString& name, const library::OneToolScript& script) {
                         WriteStack(window, *library, name, script);
                       });
    }
    library->show();
    library->raise();
    library->activateWindow();
  });
  QObject::connect(&window.Form(), &Form1::commandRun, &window,
                   [&window] { window.setWindowTitle(Title(window.Form())); });
}

}  // namespace tarvo::ui
