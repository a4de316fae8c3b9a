#include "ui/sheet_painter.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
// Set by the build when Qt SVG is there.
#ifndef TARVO_SHEET_SVG
#define TARVO_SHEET_SVG 0
#endif
#if TARVO_SHEET_SVG
#include <QSvgGenerator>
#endif

#include "platform/files.h"
#include "platform/text.h"

namespace tarvo::ui {
namespace {

// The painter draws in hundredths of a millimetre: font sizes are whole
// pixels, and a hundredth is fine enough for any of them.
constexpr double kUnits = 100;

QPointF At(sheet::PagePoint p) { return {p.X * kUnits, p.Y * kUnits}; }

QPen PenOf(sheet::Pen pen) {
  switch (pen) {
    case sheet::Pen::Outline: return QPen(Qt::black, 0.5 * kUnits, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    case sheet::Pen::Frame: return QPen(Qt::black, 0.35 * kUnits, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    case sheet::Pen::CentreLine: return QPen(Qt::black, 0.18 * kUnits, Qt::DashDotLine, Qt::FlatCap);
    case sheet::Pen::Thin: break;
  }
  return QPen(Qt::black, 0.18 * kUnits, Qt::SolidLine, Qt::FlatCap);
}

const QColor kFill(224, 224, 224);

QString TitleOf(const sheet::SheetDrawing& drawing) {
  return QString::fromStdString(drawing.Name) + QStringLiteral(" \u2013 tool data sheet");
}

void PaintText(QPainter& painter, const sheet::SheetText& text) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(static_cast<int>(text.Size * kUnits + 0.5));
  painter.setFont(font);
  const QString value = QString::fromUtf8(text.Text.data(), static_cast<qsizetype>(text.Text.size()));
  const Qt::Alignment align = Qt::AlignVCenter | (text.Centred ? Qt::AlignHCenter : Qt::AlignLeft);
  const sheet::TextBox& b = text.Box;
  if (!text.Vertical) {
    // A diameter's text breaks the lines behind it, the centre line's too.
    if (text.Centred) {
      const QRectF box(b.Left * kUnits, b.Top * kUnits, b.Width * kUnits, b.Height * kUnits);
      painter.fillRect(painter.boundingRect(box, align, value), Qt::white);
    }
    painter.save();
    if (text.Warning) painter.setPen(Qt::red);
    painter.drawText(QRectF(b.Left * kUnits, b.Top * kUnits, b.Width * kUnits, b.Height * kUnits), align, value);
    painter.restore();
    return;
  }
  painter.save();
  painter.translate((b.Left + b.Width / 2) * kUnits, (b.Top + b.Height / 2) * kUnits);
  painter.rotate(-90);
  painter.drawText(QRectF(-b.Height / 2 * kUnits, -b.Width / 2 * kUnits, b.Height * kUnits, b.Width * kUnits), align,
                   value);
  painter.restore();
}

}  // namespace

void PaintSheet(QPainter& painter, const sheet::SheetDrawing& drawing, double unitsPerMm) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(unitsPerMm / kUnits, unitsPerMm / kUnits);
  for (const sheet::SheetLine& line : drawing.Lines) {
    QPolygonF points;
    for (const sheet::PagePoint& p : line.Points) points << At(p);
    painter.setPen(PenOf(line.Style));
    painter.setBrush(line.Filled ? QBrush(kFill) : QBrush(Qt::NoBrush));
    if (line.Closed) painter.drawPolygon(points);
    else painter.drawPolyline(points);
  }
  painter.setPen(PenOf(sheet::Pen::Outline));
  painter.setBrush(kFill);
  for (const sheet::SheetCircle& circle : drawing.Circles) {
    painter.drawEllipse(At(circle.Centre), circle.Radius * kUnits, circle.Radius * kUnits);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  for (const sheet::SheetArrow& arrow : drawing.Arrows) {
    painter.drawPolygon(QPolygonF({At(arrow.Tip), At(arrow.Left), At(arrow.Right)}));
  }
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  for (const sheet::SheetText& text : drawing.Texts) PaintText(painter, text);
  painter.restore();
}

QImage RenderSheet(const sheet::SheetDrawing& drawing, int width) {
  const int height = static_cast<int>(width * sheet::SheetDrawing::kHeight / sheet::SheetDrawing::kWidth + 0.5);
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintSheet(painter, drawing, width / sheet::SheetDrawing::kWidth);
  return image;
}

QByteArray SheetPdf(const sheet::SheetDrawing& drawing) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(1200);
    writer.setTitle(TitleOf(drawing));
    writer.setCreator(QStringLiteral("TARVO Tools"));
    QPainter painter(&writer);
    PaintSheet(painter, drawing, writer.width() / sheet::SheetDrawing::kWidth);
  }
  return bytes;
}

bool SheetSvgAvailable() { return TARVO_SHEET_SVG != 0; }

QByteArray SheetSvg([[maybe_unused]] const sheet::SheetDrawing& drawing) {
  QByteArray bytes;
#if TARVO_SHEET_SVG
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    // One unit a tenth of a millimetre: 2100 × 2970 at 254 dots per inch.
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setTitle(TitleOf(drawing));
    svg.setResolution(254);
    svg.setSize(QSize(2100, 2970));
    svg.setViewBox(QRectF(0, 0, 2100, 2970));
    QPainter painter(&svg);
    PaintSheet(painter, drawing, 10);
  }
#endif
  return bytes;
}

std::optional<std::string> WriteSheet(const std::filesystem::path& file, const sheet::SheetDrawing& drawing) {
  const bool svg = file.extension() == ".svg";
  if (svg && !SheetSvgAvailable()) return "this build writes no SVG (it was built without Qt SVG); save the sheet as a .pdf";
  const QByteArray bytes = svg ? SheetSvg(drawing) : SheetPdf(drawing);
  if (bytes.isEmpty()) return "the page could not be painted";
  platform::DiskFileSystem files;
  const platform::FileStatus written = files.Write(
      file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), platform::Durability::Durable);
  if (!written.IsOk()) return platform::PathText(file) + ": " + written.Reason;
  return std::nullopt;
}

}  // namespace tarvo::ui
