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

bool IsRed(QRgb c) { return qRed(c) > 60 && qGreen(c) < 40 && qBlue(c) < 40; }

bool Picture::ShowsWholeTool() const {
  return Top > 0 && Bottom < Image.height() - 1 && Bottom - Top > Image.height() / 2;
}

bool Picture::GreyAcrossBand(double from, double to) const {
  constexpr int kLeast = 3;  // more than an edge's antialiasing
  const int height = Bottom - Top;
  for (int y = Top + qRound(height * from); y <= Top + qRound(height * to); ++y) {
    int grey = 0;
    for (int x = 0; x < Image.width(); ++x) grey += IsGrey(Image.pixel(x, y)) ? 1 : 0;
    if (grey < kLeast) return false;
  }
  return Top >= 0;
}

QImage GrabScreen(const QWidget& widget) {
  const QPoint origin = widget.mapToGlobal(QPoint(0, 0));
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, origin.x(), origin.y(), widget.width(), widget.height())
      .toImage();
}

Picture GrabPreview(const QWidget& preview) {
  Picture picture{GrabScreen(preview)};
  for (int y = 0; y < picture.Image.height(); ++y) {
    for (int x = 0; x < picture.Image.width(); ++x) {
      const QRgb c = picture.Image.pixel(x, y);
      if (IsRed(c)) ++picture.Red;
      if (IsSky(c)) {
        ++picture.Sky;
        continue;
      }
      if (picture.Top < 0) picture.Top = y;
      picture.Bottom = y;
    }
  }
  return picture;
}

bool SaveBesideTest(const QImage& image, const QString& name) {
  const QString file = QCoreApplication::applicationDirPath() + "/" + name;
  if (!image.save(file)) return false;
  qInfo("Saved %s", qPrintable(file));
  return true;
}

}  // namespace tarvo::ui::test
