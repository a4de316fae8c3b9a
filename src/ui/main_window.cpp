#include "ui/main_window.h"

#include <QMenuBar>

#include "ui/desktop_actions.h"
#include "ui/history_actions.h"
#include "ui/screen_fit.h"
#include "ui/sheet_actions.h"
#include "ui/stl_actions.h"

namespace tarvo::ui {

MainWindow::MainWindow(std::filesystem::path directory, Preview preview,
                       numbers::LocaleQuery& locale, QWidget* parent)
    : QMainWindow(parent),
      form_(new Form1(std::move(directory), preview, locale, this)),
      file_(menuBar()->addMenu(tr("&File"))),
      view_(menuBar()->addMenu(tr("&View"))),
      help_(menuBar()->addMenu(tr("&Help"))) {
  setCentralWidget(new FormScrollArea(form_, this));
  connect(form_, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);
  BuildFileMenu();
  AddDesktopActions(*this);
  AddProbes(*file_, *form_, AddDataSheet(*file_, *form_, AddStlExport(*file_, *form_)));
  AddHistoryActions(*this);
}

void MainWindow::Load() {
  form_->Load();
  FitOnScreen(*this);
}

void MainWindow::SetPreviewNote(const QString& note) {
  if (note == previewNote_) return;
  previewNote_ = note;
  emit previewNoteChanged();
}

void MainWindow::BuildFileMenu() {
  QAction* exit = file_->addAction(tr("E&xit"));
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  connect(exit, &QAction::triggered, this, [this] { form_->Click(editor::ControlId::Cmd_Exit); });
}

}  // namespace tarvo::ui
