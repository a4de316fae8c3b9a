#pragma once

#include <QImage>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>

#include "sheet/sheet_drawing.h"

class QPainter;

namespace tarvo::ui {

// Paints the sheet's parts, `unitsPerMm` device units to a millimetre from
// the device's upper left corner.
void PaintSheet(QPainter& painter, const sheet::SheetDrawing& drawing, double unitsPerMm);

// The page as a picture `width` pixels wide, on white.
QImage RenderSheet(const sheet::SheetDrawing& drawing, int width);

// The page as a one-page A4 PDF, or as an SVG in millimetres; texts stay text.
// Their title is the tool's name.
QByteArray SheetPdf(const sheet::SheetDrawing& drawing);
QByteArray SheetSvg(const sheet::SheetDrawing& drawing);

// Whether this build writes SVG: it needs Qt SVG, which a Windows build may
// lack. Without it SheetSvg is empty and WriteSheet refuses an .svg file.
bool SheetSvgAvailable();

// Writes SheetPdf or SheetSvg, by the file's ending, replacing the file whole;
// the reason when it was not written.
std::optional<std::string> WriteSheet(const std::filesystem::path& file, const sheet::SheetDrawing& drawing);

}  // namespace tarvo::ui
