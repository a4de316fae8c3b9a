#include "ui/sheet_dialog.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QVBoxLayout>

#include "numbers/number_text.h"
#include "platform/text.h"
#include "ui/probe_choice.h"
#include "ui/qt_text.h"
#include "ui/save_dialog.h"
#include "ui/sheet_painter.h"

namespace tarvo::ui {
namespace {

// The page on screen, pixels across.
constexpr int kPageWidth = 620;

void FillMaterials(QComboBox& box, const QString& setting, bool withDefault) {
  if (withDefault) box.addItem(QObject::tr("ruby for a ball, steel for a disk"), QString());
  for (const sheet::MaterialData& m : sheet::AllMaterials()) {
    box.addItem(QString::fromUtf8(m.Name.data(), static_cast<qsizetype>(m.Name.size())),
                QString::fromUtf8(m.Key.data(), static_cast<qsizetype>(m.Key.size())));
  }
  const int kept = box.findData(Settings().value(setting).toString());
  box.setCurrentIndex(kept >= 0 ? kept : 0);
}

// "none" and the readable profiles of probes.txt, the remembered one chosen.
void FillProbes(QComboBox& box, const library::ProbeFile& probes) {
  box.addItem(QObject::tr("none: %1 N, no limits").arg(ToQString(numbers::FigureText(sheet::kDefaultForce, 4))),
              QString());
  for (const sheet::ProbeProfile& probe : probes.Profiles()) {
    box.addItem(ToQString(probe.Name + ", " + numbers::FigureText(probe.Force, 4) + " N"), ToQString(probe.Name));
  }
  const int kept = box.findData(Settings().value(QStringLiteral("sheet/probe")).toString());
  box.setCurrentIndex(kept >= 0 ? kept : 0);
}

std::optional<sheet::Material> Chosen(const QComboBox& box) {
  return sheet::MaterialNamed(box.currentData().toString().toStdString());
}

}  // namespace

SheetDialog::SheetDialog(std::string block, int position, int tools, QString folder, QWidget* parent)
    : QDialog(parent),
      block_(std::move(block)),
      folder_(std::move(folder)),
      page_(new QLabel(this)),
      stem_(new QComboBox(this)),
      tip_(new QComboBox(this)),
      probe_(new QComboBox(this)),
      print_(new QPushButton(tr("&Print\u2026"), this)),
      pdf_(new QPushButton(tr("Save as P&DF\u2026"), this)),
      svg_(new QPushButton(tr("Save as &SVG\u2026"), this)) {
  setWindowTitle(tr("Tool data sheet"));
  context_.Position = position;
  context_.Tools = tools;
  context_.Date = sheet::Today();
  context_.Version = TARVO_VERSION;
  FillMaterials(*stem_, QStringLiteral("sheet/stem"), false);
  FillMaterials(*tip_, QStringLiteral("sheet/tip"), true);
  probes_ = LoadProbeFile(folder_.isEmpty() ? std::filesystem::path(".") : platform::PathFromText(ToUtf8(folder_)));
  FillProbes(*probe_, probes_);

  auto* scroll = new QScrollArea(this);
  scroll->setWidget(page_);
  scroll->setAlignment(Qt::AlignHCenter);
  auto* materials = new QFormLayout;
  materials->addRow(tr("S&tem material:"), stem_);
  materials->addRow(tr("T&ip material:"), tip_);
  materials->addRow(tr("P&robe:"), probe_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  for (QPushButton* button : {print_, pdf_, svg_}) buttons->addButton(button, QDialogButtonBox::ActionRole);
  svg_->setVisible(SheetSvgAvailable());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroll, 1);
  layout->addLayout(materials);
  layout->addWidget(buttons);
  // The page scrolls: the choices and the buttons below it stay on a small
  // screen (1280×720), within the room the desktop leaves, less its frame.
  const QRect room = (parent ? parent->screen() : screen())->availableGeometry();
  resize(std::min(kPageWidth + 60, room.width() - 20), std::min(820, room.height() - 60));

  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  for (QComboBox* box : {stem_, tip_, probe_}) {
    connect(box, &QComboBox::currentIndexChanged, this, [this] {
      QSettings settings = Settings();
      settings.setValue(QStringLiteral("sheet/stem"), stem_->currentData());
      settings.setValue(QStringLiteral("sheet/tip"), tip_->currentData());
      settings.setValue(QStringLiteral("sheet/probe"), probe_->currentData());
      settings.sync();
      Remake();
      emit ProbeChoiceSignal::Instance().changed();
    });
  }
  connect(pdf_, &QPushButton::clicked, this,
          [this] { Save(tr("Save the data sheet as PDF"), tr("PDF files (*.pdf)"), QStringLiteral("pdf")); });
  connect(svg_, &QPushButton::clicked, this,
          [this] { Save(tr("Save the data sheet as SVG"), tr("SVG files (*.svg)"), QStringLiteral("svg")); });
  connect(print_, &QPushButton::clicked, this, &SheetDialog::Print);
  Remake();
}

void SheetDialog::Remake() {
  context_.Materials.Stem = Chosen(*stem_).value_or(sheet::Material::Steel);
  context_.Materials.Tip = Chosen(*tip_);
  const sheet::ProbeProfile* probe = probes_.Find(ToUtf8(probe_->currentData().toString()));
  context_.Probe = probe ? std::optional(*probe) : std::nullopt;
  std::string error;
  std::optional<sheet::DataSheet> made = sheet::SheetOfBlock(block_, context_, &error);
  if (!made) {
    page_->setText(tr("No data sheet: %1").arg(QString::fromStdString(error)));
    for (QPushButton* button : {print_, pdf_, svg_}) button->setEnabled(false);
    return;
  }
  sheet_ = std::move(*made);
  const qreal ratio = devicePixelRatioF();
  QImage image = RenderSheet(sheet_.Drawing, static_cast<int>(kPageWidth * ratio));
  image.setDevicePixelRatio(ratio);
  page_->setPixmap(QPixmap::fromImage(image));
  page_->adjustSize();
}

void SheetDialog::Save(const QString& caption, const QString& filter, const QString& suffix) {
  QString name = QString::fromStdString(sheet_.Drawing.Name).trimmed();
  name.replace(QLatin1Char('/'), QLatin1Char('_'));
  const QString file = AskSavePath(this, caption, folder_, name.isEmpty() ? QString() : name + "." + suffix, filter, suffix);
  if (file.isEmpty()) return;
  folder_ = QFileInfo(file).absolutePath();
  if (const std::optional<std::string> failed = WriteSheet(QFile::encodeName(file).toStdString(), sheet_.Drawing)) {
    QMessageBox box(QMessageBox::Warning, caption,
                    tr("The data sheet was not written: %1").arg(QString::fromStdString(*failed)), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
  }
}

void PrintSheet(QPrinter& printer, const sheet::SheetDrawing& drawing) {
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setFullPage(true);
  QPainter painter(&printer);
  PaintSheet(painter, drawing, printer.width() / sheet::SheetDrawing::kWidth);
}

void SheetDialog::Print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setFullPage(true);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintSheet(printer, sheet_.Drawing);
}

}  // namespace tarvo::ui
