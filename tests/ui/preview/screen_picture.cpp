#include "screen_picture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QtGlobal>

namespace tarvo::ui::test {

bool IsSky(QRgb c) { return qRed(c) >= 250 && qGreen(c) >= 250 && qAbs(qBlue(c) - 185) <= 4; }

bool IsGrey(QRgb c) {
  return qAbs(qRed(c) - qGreen(c)) <= 10 && qAbs(qGreen(c) - qBlue(c)) <= 10 && qRed(c) > 20 &&
         qRed(c) < 245;
}

QImage GrabScreen(const QWidget& widget) {
  const QPoint origin = widget.mapToGlobal(QPoint(0, 0));
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, origin.x(), origin.y(), widget.width(), widget.height())
      .toImage();
}

bool SaveBesideTest(const QImage& image, const QString& name) {
  const QString file = QCoreApplication::applicationDirPath() + "/" + name;
  if (!image.save(file)) return false;
  qInfo("Saved %s", qPrintable(file));
  return true;
}

}  // namespace tarvo::ui::test
