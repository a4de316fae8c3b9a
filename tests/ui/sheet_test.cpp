// The data sheet as the painter draws it: its SVG parsed, its PDF read back
// with pdftotext, its texts measured in the font they are painted in, its
// pixels; then the window's File → Tool data sheet… and the library's sheet.
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QLabel>
#include <QProcess>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include "sheet/data_sheet.h"
#include "sheet/sheet_testing.h"
#include "test_window.h"
#include "ui/library_window.h"
#include "ui/probes_dialog.h"
#include "ui/sheet_dialog.h"
#include "ui/sheet_painter.h"

using namespace tarvo;
using enum tarvo::editor::ControlId;

namespace {

// A cylinder 20 × Ø6, a cone from 6 to 2 over 10, a ball of 4: L 30, EWL 5.
const char kConeTip[] =
    "ITEM:CT TARVO1\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\ncylinder 0 0 0 0 0 -20 6\r\n"
    "cone 0 0 -20 6 0 0 -30 2\r\ncolor 255 0 0\r\nsphere 0 0 -30 4\r\nhotspot 0 0 -30 0 0 1 4 4 ball\r\nendtip\r\n";

sheet::DataSheet SheetOf(const std::string& block) {
  return *sheet::SheetOfBlock(block, {{}, 2, 3, "2026-12-07", "0.1.0"});
}

struct SvgContent {
  QStringList Texts;
  QList<QPointF> Circles;  // centres, in the page's tenths of a millimetre
};

// The texts and the round shapes of an SVG, each circle's centre taken
// through the transforms of the groups around it.
SvgContent ReadSvg(const QByteArray& bytes) {
  SvgContent content;
  QXmlStreamReader xml(bytes);
  QList<QTransform> transforms{QTransform()};
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isEndElement() && xml.name() == QLatin1String("g")) transforms.removeLast();
    if (!xml.isStartElement()) continue;
    const QXmlStreamAttributes a = xml.attributes();
    if (xml.name() == QLatin1String("g")) {
      QTransform t;
      const QString matrix = a.value(QLatin1String("transform")).toString();
      if (matrix.startsWith(QLatin1String("matrix("))) {
        const QStringList v = matrix.mid(7, matrix.size() - 8).split(QLatin1Char(','));
        t = QTransform(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(), v[3].toDouble(), v[4].toDouble(),
                       v[5].toDouble());
      }
      transforms.append(t * transforms.last());
    } else if (xml.name() == QLatin1String("text")) {
      content.Texts.append(xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed());
    } else if (xml.name() == QLatin1String("ellipse") || xml.name() == QLatin1String("circle")) {
      const QPointF centre(a.value(QLatin1String("cx")).toDouble(), a.value(QLatin1String("cy")).toDouble());
      content.Circles.append(transforms.last().map(centre));
    }
  }
  return content;
}

}  // namespace

class SheetTest : public QObject {
  Q_OBJECT

 private slots:
  // The materials the dialog keeps go to a settings file of the tests' own.
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void theSvgHoldsTheTextsAndTheBallWhereLSays();
  void thePdfReadsBackAsText();
  void thePaintedTextsStayInsideTheirBoxes();
  void thePixelsOfAKnownSize();
  void theWindowShowsTheSheetOfTheToolUnderWay();
  void theLibraryShowsTheSheetOfTheSelectedTool();
  void theChosenProbeBendsTheSheetAndMarksItsLimitsInRed();
};

void SheetTest::theSvgHoldsTheTextsAndTheBallWhereLSays() {
  const sheet::DataSheet s = SheetOf(kConeTip);
  const SvgContent svg = ReadSvg(ui::SheetSvg(s.Drawing));
  for (const char* text : {"L = 30", "EWL = 5", "20", "10", "\u00D86", "\u00D84", "Scale", "5:1", "CT",
                           "tool 2 of 3 in usrprobe.dat", "TARVO Tools 0.1.0", "30 mm"}) {
    QVERIFY2(svg.Texts.contains(QString::fromUtf8(text)), text);
  }
  QCOMPARE(svg.Circles.size(), 1);
  // 5:1 from the mounting face at MountingY: the centre 150 mm lower.
  QCOMPARE(s.Drawing.Factor, 5.0);
  QVERIFY(qAbs(svg.Circles[0].y() - (s.Drawing.MountingY + 30 * 5) * 10) < 0.5);
  QVERIFY(qAbs(svg.Circles[0].x() - s.Drawing.AxisX * 10) < 0.5);
}

// Saved as PDF, and printed to a PDF printer as Print… prints.
void SheetTest::thePdfReadsBackAsText() {
  QTemporaryDir folder;
  const QString saved = folder.filePath(QStringLiteral("ct.pdf")), printed = folder.filePath(QStringLiteral("p.pdf"));
  const sheet::DataSheet s = SheetOf(kConeTip);
  QVERIFY(!ui::WriteSheet(saved.toStdString(), s.Drawing));
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    ui::PrintSheet(printer, s.Drawing);
  }
  for (const QString& file : {saved, printed}) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(10000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const char* expected : {"L = 30", "EWL = 5", "\u00D86", "CT", "Scale", "5:1", "5.67 g",
                                 "ruby 3.9 g/cm\u00B3", "TARVO Tools 0.1.0", "2026-12-07"}) {
      QVERIFY2(text.contains(QString::fromUtf8(expected)), qPrintable(file + ": " + expected));
    }
  }
}

// The layout keeps the boxes apart; the font must keep each text in its box.
void SheetTest::thePaintedTextsStayInsideTheirBoxes() {
  for (const std::string& block : {std::string(kConeTip), sheet::testing::FiftyElementTip()}) {
    const sheet::DataSheet s = SheetOf(block);
    QVERIFY(sheet::OverlappingTexts(s.Drawing).empty());
    for (const sheet::SheetText& t : s.Drawing.Texts) {
      QFont font(QStringLiteral("Liberation Sans"));
      font.setPixelSize(static_cast<int>(t.Size * 100 + 0.5));
      const double width = QFontMetricsF(font).horizontalAdvance(QString::fromStdString(t.Text)) / 100;
      const double height = QFontMetricsF(font).height() / 100;
      const double length = t.Vertical ? t.Box.Height : t.Box.Width;
      const double thick = t.Vertical ? t.Box.Width : t.Box.Height;
      QVERIFY2(width <= length + 1e-9, t.Text.c_str());
      QVERIFY2(height <= thick + 1e-9, t.Text.c_str());
    }
  }
}

// At 4 pixels a millimetre: the ball filled at its centre, the frame black,
// the page white beside the tool.
void SheetTest::thePixelsOfAKnownSize() {
  const sheet::DataSheet s = SheetOf(kConeTip);
  const QImage image = ui::RenderSheet(s.Drawing, 840);
  QCOMPARE(image.size(), QSize(840, 1188));
  const auto pixel = [&](double x, double y) { return QColor(image.pixel(int(x * 4), int(y * 4))); };
  QCOMPARE(pixel(s.Drawing.AxisX + 1, s.Drawing.MountingY + 30 * 5 + 3), QColor(224, 224, 224));
  QVERIFY(std::min(pixel(9.8, 150).lightness(), pixel(10, 150).lightness()) < 100);  // the frame's left edge
  QCOMPARE(pixel(s.Drawing.AxisX + 20, s.Drawing.MountingY + 30), QColor(Qt::white));
  QCOMPARE(pixel(s.Drawing.AxisX + 14, s.Drawing.MountingY + 30), QColor(224, 224, 224));  // inside the Ø6 stem, 15 wide
}

void SheetTest::theWindowShowsTheSheetOfTheToolUnderWay() {
  QSettings(QStringLiteral("TARVO Tools"), QStringLiteral("tarvo-tools")).remove(QStringLiteral("sheet"));
  ui::test::TestWindow w;
  w.Do("fill Tb_ToolName ST1; click Cmd_NewTool; click Cmd_Add; fill Tb_Diam 6; fill Tb_Height 20; click Cmd_Confirm; "
       "click Ob_Sphere; fill Tb_Diam 3; click Cmd_Confirm; click Cmd_Export");
  const QByteArray file = [&] { QFile f(w.FilePath("usrprobe.dat")); f.open(QIODevice::ReadOnly); return f.readAll(); }();
  w.Do("fill Tb_ToolName ST2; click Cmd_NewTool; click Cmd_Add; fill Tb_Diam 6; fill Tb_Height 20; click Cmd_Confirm");
  QTest::keyClick(&w.Main(), Qt::Key_P, Qt::ControlModifier);
  auto* dialog = w.Main().findChild<ui::SheetDialog*>();
  QVERIFY(dialog != nullptr && dialog->isVisible());
  QVERIFY(!dialog->Page()->pixmap().isNull());
  QVERIFY(dialog->SvgButton()->isVisibleTo(dialog));  // shown in a build with Qt SVG
  QCOMPARE(dialog->Sheet().Figures.Length, 20.0);
  QVERIFY(qAbs(dialog->Sheet().Figures.Mass - M_PI * 9 * 20 * 7.9e-3) < 1e-9);
  dialog->StemMaterial()->setCurrentIndex(dialog->StemMaterial()->findData(QStringLiteral("titanium")));
  QVERIFY(qAbs(dialog->Sheet().Figures.Mass - M_PI * 9 * 20 * 4.5e-3) < 1e-9);
  QTimer::singleShot(0, [] { static_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
  dialog->PdfButton()->click();
  QVERIFY(QFile::exists(w.FilePath("ST2.pdf")));
  dialog->close();
  // The next sheet remembers the material; nothing of usrprobe.dat changed.
  QTest::keyClick(&w.Main(), Qt::Key_P, Qt::ControlModifier);
  dialog = w.Main().findChild<ui::SheetDialog*>();
  QCOMPARE(dialog->StemMaterial()->currentData().toString(), QStringLiteral("titanium"));
  dialog->close();
  QFile f(w.FilePath("usrprobe.dat"));
  QVERIFY(f.open(QIODevice::ReadOnly));
  QCOMPARE(f.readAll(), file);
}

void SheetTest::theLibraryShowsTheSheetOfTheSelectedTool() {
  QTemporaryDir folder;
  QFile file(folder.filePath(QStringLiteral("usrprobe.dat")));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(kConeTip) + "\r\n" + kConeTip + "\r\n");
  file.close();
  ui::LibraryWindow library(folder.path().toStdString(), [](QWidget* parent) {
    auto* view = new ui::test::PlaceholderPreview(parent);
    return ui::Preview{view, view};
  });
  library.Select(2);
  library.SheetButton()->click();
  auto* dialog = library.findChild<ui::SheetDialog*>();
  QVERIFY(dialog != nullptr);
  const auto& texts = dialog->Sheet().Drawing.Texts;
  QVERIFY(std::any_of(texts.begin(), texts.end(), [](const auto& t) { return t.Text == "tool 2 of 2 in usrprobe.dat"; }));
}

void SheetTest::theChosenProbeBendsTheSheetAndMarksItsLimitsInRed() {
  QSettings(QStringLiteral("TARVO Tools"), QStringLiteral("tarvo-tools")).remove(QStringLiteral("sheet"));
  ui::test::TestWindow w;
  w.Do("fill Tb_ToolName ST1; click Cmd_NewTool; click Cmd_Add; fill Tb_Diam 2; fill Tb_Height 20; click Cmd_Confirm; "
       "click Ob_Sphere; fill Tb_Diam 3; click Cmd_Confirm");
  // File → Probes…: added, changed, a second one added and removed; the file follows.
  ui::ProbesDialog probes(w.Folder().toStdString());
  QVERIFY(probes.Put({"light", 0.1, 15, std::nullopt}, std::nullopt));
  QVERIFY(probes.Put({"light", 0.07, 15, 0.5}, "light"));
  QVERIFY(probes.Put({"spare", 1, std::nullopt, std::nullopt}, std::nullopt));
  QVERIFY(probes.Remove("spare"));
  QCOMPARE(probes.Table()->rowCount(), 1);
  QFile file(w.FilePath("probes.txt"));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), QByteArray("light\t0.07\t15\t0.5\n"));

  auto* limits = w.Main().findChild<QLabel*>(QStringLiteral("LimitNotice"));
  QVERIFY(limits->isHidden());
  QTest::keyClick(&w.Main(), Qt::Key_P, Qt::ControlModifier);
  auto* dialog = w.Main().findChild<ui::SheetDialog*>();
  QCOMPARE(dialog->Sheet().Figures.Force, 0.1);
  dialog->Probe()->setCurrentIndex(dialog->Probe()->findData(QStringLiteral("light")));
  QCOMPARE(dialog->Sheet().Figures.Force, 0.07);
  const auto& texts = dialog->Sheet().Drawing.Texts;
  QVERIFY(std::any_of(texts.begin(), texts.end(), [](const auto& t) {
    return t.Warning && t.Text == "over the probe's length limit of 15 mm by 5 mm";
  }));
  QVERIFY(limits->isVisibleTo(&w.Main()));
  QCOMPARE(limits->text(), QStringLiteral("light: over the probe's length limit of 15 mm by 5 mm; "
                                          "over the probe's mass limit of 0.5 g by 0.05 g"));
  dialog->close();
  QTest::keyClick(&w.Main(), Qt::Key_P, Qt::ControlModifier);  // remembered for the next sheet
  QCOMPARE(w.Main().findChild<ui::SheetDialog*>()->Probe()->currentData().toString(), QStringLiteral("light"));
}

QTEST_MAIN(SheetTest)
#include "sheet_test.moc"
