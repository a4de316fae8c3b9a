#include "ui/menu_focus.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "ui/main_window.h"

namespace tarvo::ui {

void ReturnFocusAfterMenus(MainWindow& window) {
  QMenuBar* bar = window.menuBar();
  const auto giveBack = [&window, bar] {
    // Once the menu's own handling is over: another menu open, another
    // window in front, or a control that took the focus leave it be.
    if (QApplication::activePopupWidget() != nullptr) return;
    QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active != &window && active->isVisible()) return;
    QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && focus != bar) return;
    if (active != &window) window.activateWindow();  // some platforms leave the closed menu active
    window.Form().ReturnFocus();
  };
  for (QMenu* menu : bar->findChildren<QMenu*>()) {
    QObject::connect(menu, &QMenu::aboutToHide, &window, [&window, giveBack] { QTimer::singleShot(0, &window, giveBack); });
  }
}

}  // namespace tarvo::ui
