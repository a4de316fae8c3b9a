#pragma once

#include <QWebEngineUrlSchemeHandler>

namespace tarvo::ui {

// The preview page and the X3D browser's files are built in as Qt resources
// and served to the web view as tarvo://preview/..., a scheme the fetch API
// may read (the browser fetches its WebAssembly and fonts), unlike qrc.
inline constexpr char kPreviewScheme[] = "tarvo";

// Registers the scheme with the web engine. Call before the QApplication is
// created.
void RegisterPreviewScheme();

// Answers tarvo://preview/PATH with the resource :/tarvo/preview/PATH.
class PreviewSchemeHandler final : public QWebEngineUrlSchemeHandler {
  Q_OBJECT

 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
  void requestStarted(QWebEngineUrlRequestJob* job) override;
};

}  // namespace tarvo::ui
