// tarvo-tools: the tool editor's window.
#include <QApplication>
#include <QFile>

#include "app/tools_window.h"
#include "ui/preview/web_engine_flags.h"

int main(int argc, char** argv) {
  tarvo::ui::PrepareWebEngineFlags();  // before the application exists
  QApplication app(argc, argv);
  // The four files lie beside the program.
  tarvo::app::ToolsWindow tools(
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
  tools.Open();
  return QApplication::exec();
}
