// The tool library in the window: open it, select a tool, edit it (DELETE
// LAST, a new ball), export, and find the block replaced in place.
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "placeholder_preview.h"
#include "ui/library_actions.h"
#include "ui/main_window.h"

using enum tarvo::editor::ControlId;

namespace {

QByteArray Read(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

class LibraryWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void EditsTheSelectedToolInPlace() {
    QTemporaryDir directory;
    QFile::copy(QStringLiteral(TARVO_SOURCE_DIR "/tests/library/files/three_tools.dat"),
                directory.filePath("usrprobe.dat"));
    QFile::setPermissions(directory.filePath("usrprobe.dat"), QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray original = Read(directory.filePath("usrprobe.dat"));
    tarvo::numbers::FixedLocaleQuery locale(".");
    const auto placeholder = [](QWidget* parent) { return tarvo::ui::PreviewOf(new tarvo::ui::PlaceholderPreview(parent)); };
    tarvo::ui::MainWindow window(directory.path().toStdString(), placeholder(nullptr), locale);
    tarvo::ui::AddLibraryActions(window, placeholder);
    window.Load();
    window.show();

    QAction* open = nullptr;
    for (QAction* action : window.FileMenu()->actions()) {
      if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_L)) open = action;
    }
    QVERIFY2(open != nullptr, "File has no Tool library… action on Ctrl+L");
    QCOMPARE(open->text(), QStringLiteral("Tool &library…"));
    open->trigger();
    auto* library = window.findChild<tarvo::ui::LibraryWindow*>();
    QVERIFY(library != nullptr && library->isVisible());
    QCOMPARE(library->Table()->rowCount(), 3);

    // A click on the row of B, the ball tip.
    QTableWidget* table = library->Table();
    const QList<QTableWidgetItem*> found = table->findItems("B", Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(found.front()).center());
    QCOMPARE(library->Selected()->Position, 2);
    QVERIFY(library->BlockText()->toPlainText().startsWith("ITEM:B TARVO1\n"));
    QVERIFY(library->EditButton()->isEnabled());

    QTest::mouseClick(library->EditButton(), Qt::LeftButton);
    QCOMPARE(window.windowTitle(), QStringLiteral("TARVO TOOLS CREATION — Editing B from usrprobe.dat: EXPORT replaces it"));
    QVERIFY(window.Form().Model().IsShown(Cmd_Export));

    tarvo::ui::Form1& form = window.Form();
    form.Click(Cmd_DelLast);
    form.Click(Ob_Sphere);
    auto* diameter = form.findChild<QLineEdit*>("Tb_Diam");
    QVERIFY(diameter != nullptr);
    diameter->selectAll();
    QTest::keyClicks(diameter, "4");
    form.Click(Cmd_Confirm);
    form.Click(Cmd_Export);

    QByteArray expected = original;
    expected.replace("sphere 0 0 0 2\r\nhotspot 0 0 0 0 0 1 2 2 ball", "sphere 0 0 0 4\r\nhotspot 0 0 0 0 0 1 4 4 ball");
    QCOMPARE(Read(directory.filePath("usrprobe.dat")), expected);
    QCOMPARE(Read(directory.filePath("usrprobe_old.dat")), original);
    QCOMPARE(window.windowTitle(), QStringLiteral("TARVO TOOLS CREATION"));
  }
};

}  // namespace

QTEST_MAIN(LibraryWindowTest)
#include "library_window_test.moc"
