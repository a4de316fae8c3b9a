#include "ui/history_actions.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "ui/element_dialog_window.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace tarvo::ui {
namespace {

using editor::ControlId;

constexpr std::string_view kElementKinds[] = {"Cyl", "Cone", "Sphere", "Polygon", "Complex"};

// The element whose lines hold the pane's line at `at` (viewport coordinates).
std::optional<int> ElementAt(const Form1& form, const QPlainTextEdit& pane, const QPoint& at) {
  return form.Editor().ElementAtLine(pane.cursorForPosition(at).blockNumber() + 1);
}

void ChangeElement(MainWindow& window, int k) {
  window.Form().RunOnEditor([k](editor::Editor& editor) { editor.OpenChange(k); });
  RunElementDialog(window.Form(), &window);
}

// A double-click on an element's lines changes the element.
class DoubleClickFilter final : public QObject {
 public:
  DoubleClickFilter(MainWindow& window, QPlainTextEdit& pane) : QObject(&pane), window_(window), pane_(pane) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonDblClick) return QObject::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const std::optional<int> k = ElementAt(window_.Form(), pane_, mouse->position().toPoint());
    if (!k || window_.Form().Editor().Dialog()) return false;
    ChangeElement(window_, *k);
    return true;
  }

 private:
  MainWindow& window_;
  QPlainTextEdit& pane_;
};

// The form's text boxes leave Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z to the Edit
// menu: a step of the tool is taken back wherever the focus is.
class HistoryKeys final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
    const QKeyCombination key = static_cast<QKeyEvent*>(event)->keyCombination();
    const bool history = key == QKeyCombination(Qt::CTRL | Qt::Key_Z) || key == QKeyCombination(Qt::CTRL | Qt::Key_Y) ||
                         key == QKeyCombination(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    if (!history) return false;
    event->ignore();
    return true;
  }
};

void ShowElementMenu(MainWindow& window, QPlainTextEdit& pane, const QPoint& at) {
  Form1& form = window.Form();
  const std::optional<editor::ToolUnderWay> tool = form.Editor().Underway();
  if (!tool || !tool->Kind || form.Editor().Dialog()) return;
  const std::optional<int> element = ElementAt(form, pane, at);
  const int k = element.value_or(static_cast<int>(tool->Elements.size()) + 1);
  QMenu menu(&pane);
  if (element) {
    QObject::connect(menu.addAction(QObject::tr("Change element %1…").arg(k)), &QAction::triggered, &window,
                     [&window, k] { ChangeElement(window, k); });
  }
  QMenu* insert = menu.addMenu(element ? QObject::tr("Insert an element above %1").arg(k)
                                       : QObject::tr("Add an element at the end"));
  for (std::string_view kind : kElementKinds) {
    if (!editor::KindOffers(*tool->Kind, kind)) continue;
    QObject::connect(insert->addAction(ElementCaption(kind)), &QAction::triggered, &window, [&window, k, kind] {
      window.Form().RunOnEditor([k, kind](editor::Editor& editor) { editor.OpenInsert(k, kind); });
      RunElementDialog(window.Form(), &window);
    });
  }
  if (element) {
    QObject::connect(menu.addAction(QObject::tr("Remove element %1").arg(k)), &QAction::triggered, &window, [&form, k] {
      form.RunOnEditor([k](editor::Editor& editor) { editor.RemoveElement(k); });
    });
  }
  menu.exec(pane.viewport()->mapToGlobal(at));
}

}  // namespace

QString ElementCaption(std::string_view elementKind) {
  if (elementKind == "Cone") return QStringLiteral("CONE");
  if (elementKind == "Sphere") return QStringLiteral("SPHERE OR DISK");
  if (elementKind == "Polygon") return QStringLiteral("POLYGON");
  if (elementKind == "Complex") return QStringLiteral("2 LEVELS POLYGON");
  return QStringLiteral("CYLINDER");
}

void AddHistoryActions(MainWindow& window) {
  Form1& form = window.Form();
  auto* edit = new QMenu(QObject::tr("&Edit"), &window);
  window.menuBar()->insertMenu(window.ViewMenu()->menuAction(), edit);
  QAction* undo = edit->addAction(QObject::tr("&Undo"));
  undo->setObjectName(QStringLiteral("Undo"));
  undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  QAction* redo = edit->addAction(QObject::tr("&Redo"));
  redo->setObjectName(QStringLiteral("Redo"));
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  QObject::connect(undo, &QAction::triggered, &window,
                   [&form] { form.RunOnEditor([](editor::Editor& editor) { editor.Undo(); }); });
  QObject::connect(redo, &QAction::triggered, &window,
                   [&form] { form.RunOnEditor([](editor::Editor& editor) { editor.Redo(); }); });

  QMenu* file = window.FileMenu();
  auto* reopen = new QAction(file);
  reopen->setObjectName(QStringLiteral("ReopenUnfinished"));
  file->insertAction(file->actions().value(0), reopen);
  QObject::connect(reopen, &QAction::triggered, &window,
                   [&form] { form.RunOnEditor([](editor::Editor& editor) { editor.ReopenUnfinished(); }); });

  const auto update = [&form, undo, redo, reopen] {
    const editor::Editor& editor = form.Editor();
    const std::vector<editor::Step>& steps = editor.Steps().Steps();
    const std::size_t position = editor.Steps().Position();
    undo->setEnabled(editor.CanUndo());
    undo->setText(editor.CanUndo() ? QObject::tr("&Undo %1").arg(ToQString(editor::StepName(steps[position - 1])))
                                   : QObject::tr("&Undo"));
    redo->setEnabled(editor.CanRedo());
    redo->setText(editor.CanRedo() ? QObject::tr("&Redo %1").arg(ToQString(editor::StepName(steps[position])))
                                   : QObject::tr("&Redo"));
    const std::optional<editor::UnfinishedTool>& unfinished = editor.Unfinished();
    reopen->setVisible(unfinished.has_value());
    reopen->setEnabled(editor.CanReopen());
    if (unfinished) {
      reopen->setText(QObject::tr("Re&open unfinished tool \"%1\" (%2 %3)")
                          .arg(ToQString(unfinished->Name))
                          .arg(unfinished->Elements)
                          .arg(unfinished->Elements == 1 ? QObject::tr("element") : QObject::tr("elements")));
    }
  };
  QObject::connect(&form, &Form1::commandRun, &window, update);
  update();

  auto* pane = form.findChild<QPlainTextEdit*>(QStringLiteral("RTB_Tool"));
  pane->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(pane, &QWidget::customContextMenuRequested, &window,
                   [&window, pane](const QPoint& at) { ShowElementMenu(window, *pane, at); });
  pane->viewport()->installEventFilter(new DoubleClickFilter(window, *pane));
  auto* keys = new HistoryKeys(&window);
  for (QLineEdit* box : form.findChildren<QLineEdit*>()) box->installEventFilter(keys);
}

}  // namespace tarvo::ui
