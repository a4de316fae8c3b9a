#include "ui/preview/preview_menus.h"

#include <QDir>
#include <QMessageBox>
#include <memory>

#include "editor/size_notices.h"
#include "editor/status_line.h"

#include "ui/desktop_actions.h"
#include "ui/main_window.h"
#include "ui/preview/taster_view.h"
#include "ui/qt_text.h"
#include "ui/save_dialog.h"

namespace tarvo::ui {
namespace {

void AddSavePicture(MainWindow& window, TasterView& view) {
  QMenu* file = window.FileMenu();
  auto* save = new QAction(MainWindow::tr("Save preview &picture…"), &window);
  file->insertAction(file->actions().value(0), save);
  file->insertSeparator(file->actions().value(1));
  QObject::connect(save, &QAction::triggered, &window, [&window, &view] {
    QString name = AskSavePath(&window, MainWindow::tr("Save preview picture"), DataFolderOf(window.Form()),
                               QStringLiteral("preview.png"), MainWindow::tr("PNG pictures (*.png)"),
                               QStringLiteral("png"));
    if (name.isEmpty()) return;
    if (!name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) name += QStringLiteral(".png");
    if (SavePreviewPicture(view, name)) {
      ShowNotice(window, editor::SavedPictureNotice(ToUtf8(QDir::toNativeSeparators(name))));
    } else {
      QMessageBox::warning(&window, window.windowTitle(),
                           MainWindow::tr("The picture was not saved: %1").arg(name));
    }
  });
}

// A new tool holds no element and its lines have just changed: NEW TOOL
// writes its first line, DELETE ALL removes them all.
void ResetForNewTools(MainWindow& window, TasterView& view) {
  auto lines = std::make_shared<int>(window.Form().Editor().Tool().LineCount);
  QObject::connect(&window.Form(), &Form1::commandRun, &view, [&window, &view, lines] {
    const definition::ToolDefinition& tool = window.Form().Editor().Tool();
    if (tool.LineCount != *lines && tool.ElementCount == 0) view.ShowView(QStringLiteral("reset"));
    *lines = tool.LineCount;
  });
}

// "The preview cannot show Taster.wrl: REASON" in the status line while the
// scene file cannot be shown; "The preview cannot show an element of
// diameter 1E+30" while the tool cannot be drawn at its size.
void NoteProblems(MainWindow& window, TasterView& view) {
  const QString file =
      QString::fromStdString(window.Form().Editor().Scene().ScenePath().filename().string());
  const auto note = [&window, &view, file] {
    if (!view.Problem().isEmpty()) {
      window.SetPreviewNote(MainWindow::tr("The preview cannot show %1: %2").arg(file, view.Problem()));
    } else if (view.SizeProblem()) {
      window.SetPreviewNote(ToQString(editor::PreviewSizeNote(window.Form().Editor())));
    } else {
      window.SetPreviewNote({});
    }
  };
  QObject::connect(&view, &TasterView::problemChanged, &window, note);
  QObject::connect(&view, &TasterView::sizeProblemChanged, &window, note);
}

}  // namespace

void AddPreviewMenus(MainWindow& window, TasterView& view) {
  window.ViewMenu()->addActions(view.ViewActions());
  AddSavePicture(window, view);
  ResetForNewTools(window, view);
  NoteProblems(window, view);
}

bool SavePreviewPicture(TasterView& view, const QString& file) {
  const QImage picture = view.Picture();
  return !picture.isNull() && picture.save(file, "PNG");
}

}  // namespace tarvo::ui
