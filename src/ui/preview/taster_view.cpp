#include "ui/preview/taster_view.h"

#include <QColor>
#include <QFile>
#include <QQuickWidget>
#include <QUrl>
#include <QWebEngineProfile>

#include "ui/preview/preview_scheme.h"
#include "ui/preview/view_actions.h"

namespace tarvo::ui {

TasterView::TasterView(QWidget* parent) : QWebEngineView(parent) {
  viewActions_ = AddViewActions(*this);
  channel_.registerObject(QStringLiteral("preview"), &bridge_);
  page()->setWebChannel(&channel_);
  connect(&bridge_, &PreviewBridge::ready, this, &TasterView::OnPageReady);
  connect(&bridge_, &PreviewBridge::shown, this, &TasterView::OnSceneShown);
  connect(&bridge_, &PreviewBridge::viewDone, this, [this](bool ok) {
    if (ok) emit viewShown();
  });
  // The sky of the scene from the first frame on, before the page draws.
  page()->setBackgroundColor(QColor(255, 255, 185));
  QWebEngineProfile* profile = page()->profile();
  if (!profile->urlSchemeHandler(kPreviewScheme)) {
    profile->installUrlSchemeHandler(kPreviewScheme, new PreviewSchemeHandler(profile));
  }
  load(QUrl(QStringLiteral("tarvo://preview/preview.html")));
}

void TasterView::Navigate(const std::filesystem::path& file) {
  file_ = file;
  Request();
}

void TasterView::Refresh() { Request(); }

void TasterView::ShowView(const QString& view) {
  // Before the page listens, the first scene comes in the reset view anyway.
  if (pageReady_) emit bridge_.showView(view);
}

QImage TasterView::Picture() const {
  // The web view draws into a Qt Quick widget of its own, its focus proxy.
  auto* render = qobject_cast<QQuickWidget*>(focusProxy());
  return render ? render->grabFramebuffer() : QImage();
}

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
