// tarvo-tools: the tool editor's window.
#include <QApplication>
#include <QFile>

#include "app/tools_window.h"
#include "ui/preview/web_engine_flags.h"

int main(int argc, char** argv) {
  // Before the application exists.
  tarvo::ui::PrepareWebEngineFlags(tarvo::ui::EngineLoggingWanted(argc, argv));
  QApplication app(argc, argv);
  // The four files lie beside the program.
  tarvo::app::ToolsWindow tools(
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
  tools.Open();
  return QApplication::exec();
}
