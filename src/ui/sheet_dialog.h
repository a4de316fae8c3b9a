#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <string>

#include "library/probe_file.h"
#include "sheet/data_sheet.h"

class QPrinter;

namespace tarvo::ui {

// The sheet on A4 on `printer`, the whole page, as the dialog's Print… does
// once the print dialog is accepted.
void PrintSheet(QPrinter& printer, const sheet::SheetDrawing& drawing);

// The tool's data sheet in a preview, with Print…, Save as PDF…, Save as
// SVG…, the materials of the stem and the tip and the probe (of probes.txt
// in the data folder), which the settings keep for the next sheet and the
// status line.
class SheetDialog final : public QDialog {
  Q_OBJECT

 public:
  // `block`: the tool's definition lines; `position`/`tools`: its place in
  // usrprobe.dat (0 when it is not there); `folder`: the data folder, where
  // probes.txt lies and saving starts.
  SheetDialog(std::string block, int position, int tools, QString folder, QWidget* parent = nullptr);

  const sheet::DataSheet& Sheet() const { return sheet_; }
  QLabel* Page() const { return page_; }
  QComboBox* StemMaterial() const { return stem_; }
  QComboBox* TipMaterial() const { return tip_; }
  QComboBox* Probe() const { return probe_; }
  QPushButton* PrintButton() const { return print_; }
  QPushButton* PdfButton() const { return pdf_; }
  QPushButton* SvgButton() const { return svg_; }

 private:
  void Remake();
  void Save(const QString& caption, const QString& filter, const QString& suffix);
  void Print();

  std::string block_;
  sheet::SheetContext context_;
  QString folder_;
  sheet::DataSheet sheet_;
  QLabel* page_;
  QComboBox* stem_;
  QComboBox* tip_;
  QComboBox* probe_;
  library::ProbeFile probes_;  // probes.txt of the data folder
  QPushButton* print_;
  QPushButton* pdf_;
  QPushButton* svg_;
};

}  // namespace tarvo::ui
