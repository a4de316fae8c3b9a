// The preview's OpenGL surface on a virtual X display: its context made on
// a thread and handed over, an edit's frame drawn at once, the warm-up never shown.
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QWidget>

#include "ui/preview/preview_surface.h"

using tarvo::ui::PreviewSurface;

class PreviewSurfaceTest : public QObject {
  Q_OBJECT
 private slots:
  void startsBesideTheWindowAndDrawsWhenAsked();
};

void PreviewSurfaceTest::startsBesideTheWindowAndDrawsWhenAsked() {
  QWidget under;
  under.resize(200, 150);
  int initialized = 0, painted = 0, swapped = 0, started = 0;
  auto* surface = new PreviewSurface(&under, [&] { ++initialized; }, [&] { ++painted; });
  surface->OnFrameSwapped([&] { ++swapped; });
  surface->Holder()->setGeometry(under.rect());

  // Told once each, whether asked before the thread ends or after.
  surface->WhenStarted([&] { ++started; });
  QTRY_COMPARE(started, 1);
  surface->WhenStarted([&] { started += 10; });
  QTRY_COMPARE(started, 11);
  QCoreApplication::processEvents();
  QCOMPARE(started, 11);

  // The thread's context now belongs to the thread that draws.
  surface->AwaitStart();
  QVERIFY(surface->context() != nullptr && surface->context()->isValid());
  QCOMPARE(surface->context()->thread(), QThread::currentThread());

  under.show();
  QTRY_VERIFY(surface->isExposed());
  QTRY_VERIFY(swapped > 0);  // the frame of the expose
  QCOMPARE(initialized, 1);

  // An edit's frame is drawn and shown within the call; a warm-up is drawn, not shown.
  const int before = swapped, paintedBefore = painted;
  surface->DrawNow();
  QCOMPARE(swapped, before + 1);
  QCOMPARE(painted, paintedBefore + 1);
  int unseen = 0;
  surface->DrawUnseen([&] {
    ++unseen;
    QOpenGLFunctions* gl = surface->context()->functions();
    gl->glClearColor(1, 0, 0, 1);
    gl->glClear(GL_COLOR_BUFFER_BIT);
  });
  QCOMPARE(unseen, 1);
  QCOMPARE(swapped, before + 1);
  QCOMPARE(initialized, 1);
  // The screen still shows the frame before, not the red of the unseen one.
  const QPoint at = under.mapToGlobal(QPoint());
  const QImage screen = under.screen()->grabWindow(0, at.x(), at.y(), under.width(), under.height()).toImage();
  QVERIFY(screen.pixel(100, 75) != qRgb(255, 0, 0));
}

QTEST_MAIN(PreviewSurfaceTest)
#include "preview_surface_test.moc"
