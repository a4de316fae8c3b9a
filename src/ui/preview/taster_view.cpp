#include "ui/preview/taster_view.h"

#include <QFile>
#include <QUrl>

namespace tarvo::ui {

TasterView::TasterView(QWidget* parent) : QWebEngineView(parent) {
  setContextMenuPolicy(Qt::NoContextMenu);
  channel_.registerObject(QStringLiteral("preview"), &bridge_);
  page()->setWebChannel(&channel_);
  connect(&bridge_, &PreviewBridge::ready, this, &TasterView::OnPageReady);
  connect(&bridge_, &PreviewBridge::shown, this, &TasterView::OnSceneShown);
  load(QUrl(QStringLiteral("qrc:/tarvo/preview/preview.html")));
}

void TasterView::Navigate(const std::filesystem::path& file) {
  file_ = file;
  Request();
}

void TasterView::Refresh() { Request(); }

void TasterView::Request() {
  if (file_.empty()) return;
  pending_ = true;
  if (pageReady_ && !showing_) Send();
}

void TasterView::Send() {
  QFile file(QString::fromStdString(file_.string()));
  // The scene file is plain ASCII, one byte per character; a file that cannot
  // be read shows as an empty scene.
  const QString vrml =
      file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
  pending_ = false;
  showing_ = true;
  emit bridge_.showScene(vrml);
}

void TasterView::OnPageReady() {
  pageReady_ = true;
  if (pending_) Send();
}

void TasterView::OnSceneShown(bool shown) {
  showing_ = false;
  if (pending_)
    Send();
  else if (shown)
    emit sceneLoaded();
}

}  // namespace tarvo::ui
