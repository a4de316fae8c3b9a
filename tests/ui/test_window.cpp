#include "test_window.h"

#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace tarvo::ui::test {

bool MessageBoxAnswerer::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QMessageBox*>(watched);
  if (box == nullptr || event->type() != QEvent::Show) return false;
  shown_.append({box->text(), box->windowTitle(), box->icon(),
                 static_cast<int>(box->buttons().size()), box->isModal()});
  // The box is being shown on its way into its own event loop: answer from there.
  QTimer::singleShot(0, box, [box] {
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    ok ? ok->click() : box->reject();
  });
  return false;
}

TestWindow::TestWindow(const QString& folder)
    : folder_(folder.isEmpty() ? directory_.path() : folder),
      window_(std::make_unique<MainWindow>(QFile::encodeName(folder_).toStdString(),
                                           PreviewOf(new PlaceholderPreview), locale_)) {
  window_->Load();
  window_->show();
  Reactivate();
}

QWidget* TestWindow::Widget(editor::ControlId id) const {
  const std::string_view name = editor::Row(id).Name;
  return window_->Form().findChild<QWidget*>(
      QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

void TestWindow::Click(editor::ControlId id) {
  QWidget* widget = Widget(id);
  QVERIFY2(widget->isVisible() && widget->isEnabled(), editor::Row(id).Name.data());
  const bool hasButtonAtLeft =
      qobject_cast<QRadioButton*>(widget) || qobject_cast<QCheckBox*>(widget);
  const QPoint at = hasButtonAtLeft ? QPoint(8, widget->height() / 2) : widget->rect().center();
  // The mouse reaches the innermost widget under it, such as a combo box's line edit.
  QWidget* under = widget->childAt(at);
  QWidget* target = under ? under : widget;
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(widget, at));
  Reactivate();
}

void TestWindow::Do(const QString& actions) {
  for (const QString& action : actions.split(QStringLiteral("; "))) {
    const QString verb = action.section(' ', 0, 0);
    if (verb == QStringLiteral("type")) {
      QTest::keyClicks(window_->focusWidget(), action.section(' ', 1));
    } else if (verb == QStringLiteral("press")) {
      const QKeyCombination key = QKeySequence(action.section(' ', 1))[0];
      QTest::keyClick(window_->focusWidget(), key.key(), key.keyboardModifiers());
      Reactivate();
    } else {
      const auto id = editor::FindControl(action.section(' ', 1, 1).toStdString());
      QVERIFY2(id && (verb == QStringLiteral("click") || verb == QStringLiteral("fill")),
               qPrintable(action));
      if (verb == QStringLiteral("click") || !Widget(*id)->hasFocus()) Click(*id);
      if (verb == QStringLiteral("fill")) QTest::keyClicks(Widget(*id), action.section(' ', 2));
    }
    if (QTest::currentTestFailed()) return;
  }
}

void TestWindow::Reactivate() {
  if (window_->isVisible() && !window_->isActiveWindow()) {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
}

}  // namespace tarvo::ui::test
