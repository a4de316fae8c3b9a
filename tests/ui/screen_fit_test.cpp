// The main window on the screen it is run on: a screen with room for the
// whole form shows it as designed; on a smaller one the window stays inside
// the free area and the form scrolls, so that EXPORT and EXIT can be reached.
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "numbers/decimal_separator.h"
#include "placeholder_preview.h"
#include "ui/main_window.h"

using enum tarvo::editor::ControlId;

class ScreenFitTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowFitsItsScreen();
};

void ScreenFitTest::theWindowFitsItsScreen() {
  QTemporaryDir directory;
  tarvo::numbers::FixedLocaleQuery locale{"."};
  tarvo::ui::MainWindow window(QFile::encodeName(directory.path()).toStdString(),
                               tarvo::ui::PreviewOf(new tarvo::ui::PlaceholderPreview), locale);
  window.Load();
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  const QRect available = window.screen()->availableGeometry();
  QVERIFY(available.contains(window.frameGeometry()));  // the title bar included
  auto* scroll = window.findChild<QScrollArea*>();
  QVERIFY(scroll != nullptr);
  const QWidget& form = window.Form();
  if (available.height() >= window.sizeHint().height()) {
    QCOMPARE(window.size(), window.sizeHint());
    QCOMPARE(scroll->viewport()->size(), form.size());
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    const QRect shown(form.mapTo(&window, QPoint(0, 0)), form.size());
    QCOMPARE(shown.topLeft(), QPoint(0, window.menuBar()->height()));
    QCOMPARE(window.grab(shown).toImage(), window.Form().grab().toImage());
    return;
  }
  QVERIFY(scroll->verticalScrollBar()->isVisible());
  QVERIFY(!scroll->horizontalScrollBar()->isVisible());
  for (auto id : {Cmd_Export, Cmd_Exit}) {
    QWidget* button = form.findChild<QWidget*>(QString::fromLatin1(tarvo::editor::Row(id).Name));
    scroll->ensureWidgetVisible(button);  // EXPORT only shows with a tool to export
    const QRect inView(button->mapTo(scroll->viewport(), QPoint(0, 0)), button->size());
    QVERIFY(scroll->viewport()->rect().contains(inView));
  }
}

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
