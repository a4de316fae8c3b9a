#include "ui/qt_messages.h"

#include <QtGlobal>

namespace tarvo::ui {
namespace {

QtMessageHandler qtHandler = nullptr;  // Qt's own, which prints

void OnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) qtHandler(type, context, text);
}

}  // namespace

void ShowQtMessages(bool verbose) {
  const QtMessageHandler previous = qInstallMessageHandler(verbose ? nullptr : OnQtMessage);
  if (previous != OnQtMessage) qtHandler = previous;
}

}  // namespace tarvo::ui
