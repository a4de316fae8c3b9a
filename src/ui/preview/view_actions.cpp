#include "ui/preview/view_actions.h"

#include <QKeySequence>

#include "ui/preview/taster_view.h"

namespace tarvo::ui {

QList<QAction*> AddViewActions(TasterView& view) {
  struct Row {
    const char* Text;
    const char* View;
    QKeySequence Key;
  };
  const Row rows[] = {
      {QT_TR_NOOP("&Front"), "front", QKeySequence(Qt::Key_1)},
      {QT_TR_NOOP("&Right"), "right", QKeySequence(Qt::Key_3)},
      {QT_TR_NOOP("&Top"), "top", QKeySequence(Qt::Key_7)},
      {QT_TR_NOOP("&Bottom"), "bottom", QKeySequence(Qt::CTRL | Qt::Key_7)},
      {QT_TR_NOOP("&Isometric"), "isometric", QKeySequence(Qt::Key_0)},
      {QT_TR_NOOP("Fit &all"), "fit", QKeySequence(Qt::Key_F)},
      {QT_TR_NOOP("R&eset view"), "reset", QKeySequence(Qt::Key_Home)},
      {QT_TR_NOOP("&Orthographic"), "orthographic", QKeySequence(Qt::Key_5)},
  };
  QList<QAction*> actions;
  for (const Row& row : rows) {
    auto* action = new QAction(TasterView::tr(row.Text), &view);
    action->setShortcut(row.Key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    const QString name = QString::fromLatin1(row.View);
    action->setCheckable(name == QStringLiteral("orthographic"));
    QObject::connect(action, &QAction::triggered, &view, [&view, name] { view.ShowView(name); });
    actions.append(action);
  }
  view.addActions(actions);
  view.setContextMenuPolicy(Qt::ActionsContextMenu);
  return actions;
}

}  // namespace tarvo::ui
