#include "app/tools_window.h"

#include <QApplication>

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

void ToolsWindow::Open() {
  window_->Load();
  window_->show();
}

}  // namespace tarvo::app
