// tarvo-tools: the tool editor's window.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstring>
#include <iostream>
#include <optional>

#include "app/tools_window.h"
#include "platform/data_folder.h"
#include "platform/folder_lock.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/window_slot.h"
#include "ui/preview/coin_messages.h"
#include "ui/qt_messages.h"

namespace {

constexpr const char* kUsage = R"(Usage: tarvo-tools [--dir DIR]

Opens the window in which a probe stylus is built element by element, with a
3D preview, and exported to usrprobe.dat.

  --dir DIR    the folder of usrprobe.dat, usrprobe_old.dat, Taster.wrl and
               Taster_Old.wrl; it must exist
  --verbose    the 3D engine's and Qt's own warnings on standard error (also
               when TARVO_VERBOSE is set to anything but 0)
  --help, --version

Without --dir the files lie in the program's own folder when it holds
usrprobe.dat or can be written, otherwise in $XDG_DATA_HOME/tarvo-tools
(~/.local/share/tarvo-tools when XDG_DATA_HOME is not set), made when missing;
on Windows in %LOCALAPPDATA%\TARVO Tools when the program's folder is under
Program Files or cannot be written.

Only one editor works on a folder at a time: when another one holds it, the
window does not open. A folder that cannot be written is only read: the
window says so, and more than one window may read it.

Exit status, as for every TARVO Tools program: 0 done, 2 a wrong command line,
3 a file or folder that cannot be read or written (another editor working on
the folder included).
)";

constexpr int kUsageStatus = 2;
constexpr int kFileStatus = 3;

// Shown on standard error and, for a start from the desktop menu, in a box.
int Refuse(const QString& text, int status) {
  std::cerr << "tarvo-tools: " << text.toStdString() << "\n";
  QMessageBox::critical(nullptr, QStringLiteral("TARVO Tools"), text);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  tarvo::platform::UseStarterConsole();
  // Answered before Qt starts: no display needed.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::cout << kUsage;
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "tarvo-tools " << TARVO_VERSION << "\n";
      return 0;
    }
  }
  const bool verbose = tarvo::ui::VerboseWanted(argc, argv);
  tarvo::ui::ShowCoinMessages(verbose);
  tarvo::ui::ShowQtMessages(verbose);
  QApplication app(argc, argv);

  // Qt has taken its own options out of the arguments by now.
  std::optional<std::filesystem::path> dirOption;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QStringLiteral("--dir") && i + 1 < arguments.size()) {
      dirOption = std::filesystem::path(arguments[++i].toStdU16String());
    } else if (arguments[i] == QStringLiteral("--verbose")) {
      continue;  // read before the application exists
    } else {
      std::cerr << "tarvo-tools: unknown argument " << arguments[i].toStdString() << "\n" << kUsage;
      return kUsageStatus;
    }
  }
  if (dirOption && !std::filesystem::is_directory(*dirOption)) {
    return Refuse(QStringLiteral("There is no folder %1.").arg(QString::fromStdString(tarvo::platform::PathText(*dirOption))),
                  kFileStatus);
  }
  const std::filesystem::path programFolder = tarvo::platform::ProgramFolder();
  const tarvo::platform::DataFolderFacts facts = tarvo::platform::SystemDataFolderFacts(dirOption, programFolder);
  const std::filesystem::path folder = tarvo::platform::ChooseDataFolder(facts);
  const std::filesystem::path& userFolder = facts.UserDataFolder;
  if (const std::optional<std::string> problem = tarvo::platform::EnsureFolder(folder)) {
    return Refuse(QString::fromStdString(*problem), kFileStatus);
  }

  const tarvo::platform::FolderLock lock = tarvo::platform::FolderLock::Acquire(folder);
  if (lock.IsBusy()) {
    return Refuse(QString::fromStdString(tarvo::platform::FolderBusyMessage(folder)),
                  tarvo::platform::kFolderBusyStatus);
  }
  tarvo::app::ToolsWindow tools(folder);
  // No lock file can be made in a folder that cannot be written: nothing can
  // be written there either, so a second window may read it too.
  // A second window at once (on another folder) opens offset from the first.
  const tarvo::platform::WindowSlot slot = tarvo::platform::WindowSlot::Take(
      tarvo::platform::EnsureFolder(userFolder) ? std::filesystem::path() : userFolder);
  tools.Open(lock.Result() == tarvo::platform::FolderLock::Outcome::Unlockable, slot.Number());
  return QApplication::exec();
}
