#pragma once

#include <QAction>
#include <QImage>
#include <QWebChannel>
#include <QWebEngineView>
#include <filesystem>

#include "scene/scene_view.h"
#include "ui/preview/preview_bridge.h"

namespace tarvo::ui {

// The 3D preview: a web view whose local page hosts an X3D browser that
// shows the scene file. Every Navigate and Refresh reads the file afresh and
// hands its text to the page; requests made while the page is still loading
// or still showing an earlier text are merged into one later load of the file.
class TasterView : public QWebEngineView, public scene::SceneView {
  Q_OBJECT

 public:
  explicit TasterView(QWidget* parent = nullptr);

  void Navigate(const std::filesystem::path& file) override;
  void Refresh() override;

  // Shows a view of the tool (see PreviewBridge::showView), once the page
  // has shown the scenes asked for before.
  void ShowView(const QString& view);
  // The view actions (see AddViewActions), made with the view.
  const QList<QAction*>& ViewActions() const { return viewActions_; }
  // What the preview shows, read from the frame buffer of the web view's
  // render widget at its size on screen; null before the page has drawn.
  QImage Picture() const;

 signals:
  // The scene file, as it was at the last Navigate or Refresh, is on screen.
  void sceneLoaded();
  // The view last asked for is on screen.
  void viewShown();

 private:
  void Request();
  void Send();
  void OnPageReady();
  void OnSceneShown(bool shown);

  PreviewBridge bridge_;
  QList<QAction*> viewActions_;
  QWebChannel channel_;
  std::filesystem::path file_;
  bool pageReady_ = false;
  bool showing_ = false;  // the page has a text and has not yet reported back
  bool pending_ = false;  // a request has come in since the last text was sent
};

}  // namespace tarvo::ui
