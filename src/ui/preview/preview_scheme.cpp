#include "ui/preview/preview_scheme.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace tarvo::ui {

void RegisterPreviewScheme() {
  QWebEngineUrlScheme scheme(kPreviewScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                  QWebEngineUrlScheme::LocalAccessAllowed | QWebEngineUrlScheme::CorsEnabled);
  QWebEngineUrlScheme::registerScheme(scheme);
}

void PreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
  static const QHash<QString, QByteArray> kTypes = {
      {"html", "text/html"},          {"js", "text/javascript"},  {"mjs", "text/javascript"},
      {"css", "text/css"},            {"wasm", "application/wasm"}, {"woff2", "font/woff2"},
      {"svg", "image/svg+xml"},       {"png", "image/png"},
  };
  const QUrl url = job->requestUrl();
  auto* file = new QFile(QStringLiteral(":/tarvo/preview") + url.path(), job);
  if (url.host() != QStringLiteral("preview") || !file->open(QIODevice::ReadOnly)) {
    job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    return;
  }
  job->reply(kTypes.value(QFileInfo(url.path()).suffix(), "application/octet-stream"), file);
}

}  // namespace tarvo::ui
