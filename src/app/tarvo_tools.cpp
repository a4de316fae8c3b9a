// tarvo-tools: the tool editor's window.
#include <QApplication>
#include <QFile>

#include "numbers/decimal_separator.h"
#include "ui/form1.h"
#include "ui/preview/taster_view.h"
#include "ui/preview/web_engine_flags.h"

int main(int argc, char** argv) {
  tarvo::ui::PrepareWebEngineFlags();  // before the application exists
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));  // paints the coloured buttons on every desktop
  tarvo::numbers::SystemLocaleQuery locale;
  // The four files lie beside the program.
  const std::filesystem::path directory =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  tarvo::ui::Form1 window(directory, tarvo::ui::PreviewOf(new tarvo::ui::TasterView), locale);
  window.Load();
  window.show();
  return QApplication::exec();
}
