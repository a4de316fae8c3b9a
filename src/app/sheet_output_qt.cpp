#include <QGuiApplication>
#include <memory>

#include "sheet_output.h"
#include "ui/qt_messages.h"
#include "ui/sheet_painter.h"

std::optional<std::string> WriteSheetFile(const std::filesystem::path& file, const tarvo::sheet::SheetDrawing& drawing) {
  // The painter's fonts need an application; no window shows, so the
  // off-screen platform does without a display. Windows's own needs none
  // and brings the system's fonts, which the off-screen one lacks there.
  std::unique_ptr<QGuiApplication> application;
  if (QCoreApplication::instance() == nullptr) {
    // Quiet as the window is (no note of a missing XDG_RUNTIME_DIR when run as
    // root), unless TARVO_VERBOSE asks for Qt's own messages.
    const QString verbose = qEnvironmentVariable("TARVO_VERBOSE");
    tarvo::ui::ShowQtMessages(!verbose.isEmpty() && verbose != QStringLiteral("0"));
    static char program[] = "tarvo-library", option[] = "-platform", platform[] = "offscreen";
#ifdef Q_OS_WIN
    static int argc = 1;
#else
    static int argc = 3;
#endif
    static char* argv[] = {program, option, platform, nullptr};
    application = std::make_unique<QGuiApplication>(argc, argv);
  }
  return tarvo::ui::WriteSheet(file, drawing);
}
