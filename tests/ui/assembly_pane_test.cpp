// The library window's assemblies as a user changes them: every change saved
// to assemblies.txt at once, a damaged line kept and reported, the figures
// and notices following the parts, and Write as one tool typed into the
// window and exported there.
#include <QFile>
#include <QTest>

#include "test_window.h"
#include "ui/library_actions.h"
#include "ui/library_window.h"

using namespace tarvo;

namespace {

// EX30: an M3 extension 30 × Ø4; ST1: an M2 tip 20 × Ø2 with a ball of 3.
const char kTools[] =
    "ITEM:EX30 M3\r\ncolor 142 142 142\r\nribcount 20\r\ncylinder 0 0 0 0 0 -30 4\r\nconnect 0 0 -30 0 0 1 M3\r\n\r\n"
    "ITEM:ST1 M2\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\ncylinder 0 0 0 0 0 -20 2\r\ncolor 255 0 0\r\n"
    "sphere 0 0 -20 3\r\nhotspot 0 0 -20 0 0 1 3 3 ball\r\nendtip\r\n\r\n";

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

}  // namespace

class AssemblyPaneTest : public QObject {
  Q_OBJECT

 private slots:
  void partsChangeTheFileAndTheFigures();
  void theAssemblyIsWrittenAsOneToolThroughTheWindowsExport();
};

void AssemblyPaneTest::partsChangeTheFileAndTheFigures() {
  ui::test::TestWindow w;
  Write(w.FilePath("usrprobe.dat"), kTools);
  Write(w.FilePath("assemblies.txt"), "S\tEX30\tST1:carbide\nbroken\n");
  Write(w.FilePath("probes.txt"), "P1\t0.2\t45\t3\n");
  ui::LibraryWindow library(w.Folder().toStdString(), [](QWidget* parent) {
    auto* view = new ui::test::PlaceholderPreview(parent);
    return ui::Preview{view, view};
  });
  ui::AssemblyPane& pane = *library.Assemblies();
  QVERIFY(pane.FigureText()->toPlainText().contains("bending\t2.10\n"));
  pane.ProbeChoice()->setCurrentIndex(1);  // P1: 0.2 N, 45 mm, 3 g
  QVERIFY(pane.FigureText()->toPlainText().contains("bending\t4.20\n"));
  QVERIFY(pane.FigureText()->toPlainText().endsWith(
      "limits\tover the probe's length limit of 45 mm by 5 mm; over the probe's mass limit of 3 g by 0.98 g\n"));
  QCOMPARE(pane.Notice()->text(), QStringLiteral("assemblies.txt line 2: no tab between the name and the parts "
                                                 "(the line is kept)"));
  QVERIFY(pane.FigureText()->toPlainText().contains("mass\t3.98\n"));
  QVERIFY(pane.FigureText()->toPlainText().contains("connection\tEX30 ends in M3; ST1 needs M2: an adapter is needed"));

  QCOMPARE(pane.NewAssembly("T"), QString());
  QCOMPARE(pane.NewAssembly("T"), QStringLiteral("An assembly named T is already there."));
  pane.Reload();  // as when the folder's watcher sees the file written: the new one stays, chosen
  QCOMPARE(pane.List()->count(), 2);
  QCOMPARE(pane.List()->currentItem()->text(), QStringLiteral("T"));
  QCOMPARE(pane.AddPart(2), QString());
  QCOMPARE(pane.AddPart(1), QString());
  QCOMPARE(pane.FigureText()->toPlainText(), QStringLiteral("ST1 is a tip: only an extension may have a part below it\n"));
  QVERIFY(!pane.WriteButton()->isEnabled());
  QCOMPARE(pane.MovePart(-1), QString());  // EX30, the part selected, goes up
  QVERIFY(pane.FigureText()->toPlainText().startsWith("L\t50\n"));
  QVERIFY(pane.WriteButton()->isEnabled());
  QCOMPARE(pane.SetStem(0, sheet::Material::Titanium), QString());
  QCOMPARE(Read(w.FilePath("assemblies.txt")), QByteArray("S\tEX30\tST1:carbide\nbroken\nT\tEX30:titanium\tST1\n"));

  // A tool removed from usrprobe.dat: the part is reported, the assembly stays.
  Write(w.FilePath("usrprobe.dat"), QByteArray(kTools).left(QByteArray(kTools).indexOf("ITEM:ST1")));
  library.Reload();
  QCOMPARE(pane.FigureText()->toPlainText(), QStringLiteral("ST1 is not in usrprobe.dat any more\n"));
  QCOMPARE(pane.RenameAssembly("S"), QStringLiteral("an assembly named S is already there"));
  QCOMPARE(pane.RenameAssembly("U"), QString());
  QCOMPARE(Read(w.FilePath("assemblies.txt")), QByteArray("S\tEX30\tST1:carbide\nbroken\nU\tEX30:titanium\tST1\n"));
  QCOMPARE(pane.RemoveAssembly(), QString());
  QCOMPARE(Read(w.FilePath("assemblies.txt")), QByteArray("S\tEX30\tST1:carbide\nbroken\n"));
}

void AssemblyPaneTest::theAssemblyIsWrittenAsOneToolThroughTheWindowsExport() {
  ui::test::TestWindow w;
  Write(w.FilePath("usrprobe.dat"), kTools);
  Write(w.FilePath("assemblies.txt"), "S\tEX30\tST1\n");
  ui::LibraryWindow library(w.Folder().toStdString(), [](QWidget* parent) {
    auto* view = new ui::test::PlaceholderPreview(parent);
    return ui::Preview{view, view};
  });
  const library::OneToolScript script = library.Assemblies()->OneTool("ST1-50");
  QVERIFY2(script.Proven(), script.Reason.c_str());
  for (const bool second : {false, true}) {
    QVERIFY(ui::WriteStack(w.Main(), library, "ST1-50", script));
    QCOMPARE(Read(w.FilePath("usrprobe_old.dat")), second ? QByteArray(kTools) + script.Block.c_str() : QByteArray(kTools));
    QCOMPARE(library.Assemblies()->Notice()->text(),
             second ? QStringLiteral("Written to usrprobe.dat as the tool ST1-50. A tool named ST1-50 is already in usrprobe.dat.")
                    : QStringLiteral("Written to usrprobe.dat as the tool ST1-50."));
  }
  QCOMPARE(Read(w.FilePath("usrprobe.dat")), QByteArray(kTools) + script.Block.c_str() + script.Block.c_str());
  QVERIFY(w.Messages().TakeShown().isEmpty());
}

QTEST_MAIN(AssemblyPaneTest)
#include "assembly_pane_test.moc"
