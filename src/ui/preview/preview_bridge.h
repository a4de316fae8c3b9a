#pragma once

#include <QObject>
#include <QString>

namespace tarvo::ui {

// The object that the preview page reaches over the web channel as
// "preview": the widget hands it scene texts, the page reports back.
class PreviewBridge : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // Called by the page once it listens for scenes.
  Q_INVOKABLE void pageReady() { emit ready(); }
  // Called by the page when the last scene text is on the screen, or could
  // not be shown.
  Q_INVOKABLE void sceneShown(bool ok) { emit shown(ok); }
  // Called by the page when the view last asked for is on the screen.
  Q_INVOKABLE void viewShown(bool ok) { emit viewDone(ok); }

 signals:
  // A scene text for the page to show.
  void showScene(const QString& vrml);
  // A view for the page to show: "front", "right", "top", "bottom",
  // "isometric", "fit", "reset" or "orthographic" (turns the projection over).
  void showView(const QString& view);
  void ready();
  void shown(bool ok);
  void viewDone(bool ok);
};

}  // namespace tarvo::ui
