#include "app/tools_window.h"

#include <QApplication>
#include <QTimer>

#include "ui/library_actions.h"
#include "ui/preview/preview_menus.h"

namespace tarvo::app {

ToolsWindow::ToolsWindow(const std::filesystem::path& directory) {
  QApplication::setStyle(QStringLiteral("Fusion"));  // paints the coloured buttons on every desktop
  preview_ = new ui::TasterView;
  window_ = std::make_unique<ui::MainWindow>(directory, ui::PreviewOf(preview_), locale_);
  ui::AddPreviewMenus(*window_, *preview_);
  ui::AddLibraryActions(*window_,
                        [](QWidget* parent) { return ui::PreviewOf(new ui::TasterView(parent)); });
}

void ToolsWindow::Open(bool unwritableFolder, int cascade) {
  if (unwritableFolder) window_->Form().RunOnEditor([](editor::Editor& e) { e.SetUnwritableFolder(); });
  window_->Load(cascade);
  window_->show();
  // Once the window is on the screen, its message box opens over it.
  if (unwritableFolder) {
    QTimer::singleShot(0, &window_->Form(), [this] {
      window_->Form().RunOnEditor([](editor::Editor& e) { e.TellUnwritableFolder(); });
    });
  }
}

}  // namespace tarvo::app
