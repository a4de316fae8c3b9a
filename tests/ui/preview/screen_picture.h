#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace tarvo::ui::test {

// The scene's sky colour 1 1 0.725.
bool IsSky(QRgb c);
// The Gray appearance, lit: equal channels, neither the sky nor white.
bool IsGrey(QRgb c);
// The Red appearance: red light only.
bool IsRed(QRgb c);

// What the preview shows, counted from the pixels of the screen.
struct Picture {
  QImage Image;
  int Sky = 0;
  int Red = 0;
  int Top = -1;     // first row that shows part of the tool
  int Bottom = -1;  // last row that shows part of the tool

  // The whole tool lies inside the view and fills most of its height, as
  // fitting the view leaves it.
  bool ShowsWholeTool() const;
  // Every row of the band shows a grey part of the tool. The band runs from
  // `from` to `to` of the tool's height on the screen, as fractions from its
  // top (0) to its bottom (1).
  bool GreyAcrossBand(double from, double to) const;
};

// The screen over the widget. The GL content of the web view reaches only
// the screen, not QWidget::grab.
QImage GrabScreen(const QWidget& widget);
// The screen over the preview widget, counted.
Picture GrabPreview(const QWidget& preview);
// Saves the image as `name` beside the test program and says where.
bool SaveBesideTest(const QImage& image, const QString& name);

}  // namespace tarvo::ui::test
