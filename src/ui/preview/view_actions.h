#pragma once

#include <QAction>
#include <QList>

namespace tarvo::ui {

class TasterView;

// The views of the preview as actions, in the habit of CAD programs: 1
// front, 3 right, 7 top, Ctrl+7 bottom, 0 isometric, F fit all, Home reset,
// 5 orthographic or perspective (a checkable action). Their keys act while
// the preview or a widget inside it has the focus, so digits typed into the
// form's fields stay there. The actions also make the preview's right-click
// menu.
QList<QAction*> AddViewActions(TasterView& view);

}  // namespace tarvo::ui
