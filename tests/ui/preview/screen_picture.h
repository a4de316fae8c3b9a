#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace tarvo::ui::test {

// The scene's sky colour 1 1 0.725.
bool IsSky(QRgb c);
// The Gray appearance, lit: equal channels, neither the sky nor white.
bool IsGrey(QRgb c);

// The screen over the widget. The GL content of the web view reaches only
// the screen, not QWidget::grab.
QImage GrabScreen(const QWidget& widget);
// Saves the image as `name` beside the test program and says where.
bool SaveBesideTest(const QImage& image, const QString& name);

}  // namespace tarvo::ui::test
