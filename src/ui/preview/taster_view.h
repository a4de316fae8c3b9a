#pragma once

#include <QAction>
#include <QImage>
#include <QPoint>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>

#include "scene/scene_view.h"
#include "ui/preview/camera_views.h"

class SoCamera;
class SoGroup;
class SoNode;
class SoOrthographicCamera;
class SoPerspectiveCamera;
class SoRenderManager;
class SoScale;
class SoSeparator;

namespace tarvo::ui {

class CoinScene;
class FeatureEdges;

class PreviewSurface;

// The 3D preview: Coin reads the scene file with its own VRML reader and
// draws it on an OpenGL surface that fills this widget. Every Navigate and Refresh reads the file
// afresh once control returns to the event loop, so requests made in one go
// are read once; a file that only grew since it was last read has only its
// new part read. Each scene is fitted into view along the direction the user
// looks from, at any size the value checks accept, with its feature edges. A light follows the camera.
class TasterView : public QWidget, public scene::SceneView {
  Q_OBJECT

 public:
  explicit TasterView(QWidget* parent = nullptr);
  ~TasterView() override;

  void Navigate(const std::filesystem::path& file) override;
  void Refresh() override;

  // Shows a view of the tool: "front", "right", "top", "bottom", "isometric"
  // or "reset" (see ViewDirection), "fit" (the whole tool as it is seen now)
  // or "orthographic" (turns the projection over). While no tool is shown, a
  // direction waits for the next tool.
  void ShowView(const QString& view);
  // The view actions (see AddViewActions), made with the view.
  const QList<QAction*>& ViewActions() const { return viewActions_; }
  // What the preview shows, at its size on screen.
  QImage Picture();
  // Why the scene file last read is not shown; empty when it is.
  const QString& Problem() const { return problem_; }
  // Whether the tool read is too large or too small to draw, and so not shown.
  bool SizeProblem() const { return sizeProblem_; }

 signals:
  // The scene file, as it was at the last Navigate or Refresh, is on screen
  // (the sky alone when it cannot be shown).
  void sceneLoaded();
  // The view last asked for is on screen.
  void viewShown();
  // The scene file cannot be shown for this reason, or again can (empty).
  void problemChanged(const QString& problem);
  // The tool read can no longer, or again can, be drawn at its size.
  void sizeProblemChanged(bool problem);
  // The first frame is on screen and the tool WarmUpTool draws has been
  // drawn unseen: an edit is now drawn in the time of any later one.
  void warmedUp();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void InitializeGL();
  void PaintGL();
  // Draws the scene under `root` as `camera` sees it, into the surface's frame.
  void Draw(SoNode* root, SoCamera* camera);
  // Draws a WarmUpTool unseen, once the first frame is on screen.
  void WarmUp();
  // Draws the preview again with the next frame, for the mouse's moves: an
  // edit or a view asked for is drawn at once.
  void Redraw();
  void Load();
  // Scales the scene read and finds its bounds and edges.
  void Measure();
  // Fits the tool along `direction`, or along the direction the user looks
  // from; without a tool, keeps the direction for the next one.
  void Fit(std::optional<SbRotation> direction = std::nullopt);
  void PlaceCamera(const CameraPlacement& camera);
  void ReleaseContext();

  QList<QAction*> viewActions_;
  std::filesystem::path file_;
  QTimer load_;                       // a read of the file asked for
  std::unique_ptr<CoinScene> scene_;  // starts Coin: made before the nodes below
  std::unique_ptr<FeatureEdges> edges_;
  QString problem_;
  bool sizeProblem_ = false;

  SoSeparator* root_;  // camera, light and scene
  SoPerspectiveCamera* perspective_;
  SoOrthographicCamera* orthographic_;
  SoGroup* cameraSlot_;  // holds the camera of the projection in use
  SoGroup* lights_;      // the ambient light and the lamps
  SoScale* scale_;       // of the scene's faces, to a size the camera handles
  SoSeparator* faces_;   // the scene's faces, scaled and pushed back behind their edges
  std::unique_ptr<SoRenderManager> renderer_;
  std::uint32_t cacheContext_ = 0;
  PreviewSurface* surface_;  // owned by its holder, a child of this widget
  QWidget* container_;       // the surface's holder

  CameraPlacement camera_;
  std::optional<SbRotation> next_;  // asked for while no tool was shown
  bool orthographicWanted_ = false;
  SbBox3f bounds_;  // of the tool shown, scaled; empty without one
  bool HasTool() const { return !bounds_.isEmpty(); }

  // A scene or view waits for the next frame; has been drawn into it.
  bool surfaceAsked_ = false;  // to show once OpenGL is set up
  bool warmUpAsked_ = false;
  bool sceneWaits_ = false, viewWaits_ = false, sceneDrawn_ = false, viewDrawn_ = false;
  QPoint dragFrom_;
};

}  // namespace tarvo::ui
