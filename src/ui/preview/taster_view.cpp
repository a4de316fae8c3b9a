#include "ui/preview/taster_view.h"

#include <Inventor/SoRenderManager.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/elements/SoGLCacheContextElement.h>
#include <Inventor/misc/SoContextHandler.h>
#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoEnvironment.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoRotation.h>
#include <Inventor/nodes/SoScale.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoTransformSeparator.h>

#include <QFile>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "ui/preview/coin_messages.h"
#include "ui/preview/coin_scene.h"
#include "ui/preview/drawn_faces.h"
#include "ui/preview/feature_edges.h"
#include "ui/preview/preview_surface.h"
#include "ui/preview/view_actions.h"
#include "ui/preview/warm_up_tool.h"

namespace tarvo::ui {
namespace {

// Tools between these sizes (scene units) are drawn as they are; others are
// scaled by a power of two to some hundred units across, so that the
// camera's numbers keep their precision, but by no more than 2^60 either
// way: the lamps square the faces' normals, which scale the other way. A
// tool that still lies beyond 2^-40 to 2^40 units cannot be drawn.
constexpr double kLeastUnscaled = 1e-2, kMostUnscaled = 1e5;
constexpr int kScaledExponent = 6;  // 64 to 128 units
constexpr int kMostScaleExponent = 60;
constexpr int kMostDrawnExponent = 40;
// One notch of a common mouse wheel.
constexpr float kWheelNotch = 120;

// The lamps ride on the camera: the key light from the upper left behind
// the viewer, a weaker one from the lower right, so that the faces of a
// prism each get their own shade and nothing seen is in the dark, from
// whichever side the tool is seen. Their sum stays below white on the
// scene's materials.
struct Lamp {
  float X, Y, Z;  // where its light goes in the camera's frame: x right, y up, looking down -z
  float Intensity;
};
constexpr Lamp kLamps[] = {{0.4F, -0.5F, -1, 0.6F}, {-0.5F, 0.4F, -1, 0.3F}};
// The ambient light: each material keeps its own share of it.
constexpr float kAmbient = 1;

// The ambient light and the lamps; PlaceCamera turns the lamps with the camera.
SoGroup* Lights() {
  auto* lights = new SoGroup;
  auto* environment = new SoEnvironment;
  environment->ambientIntensity = kAmbient;
  lights->addChild(environment);
  for (const Lamp& lamp : kLamps) {
    auto* light = new SoDirectionalLight;
    light->intensity = lamp.Intensity;
    lights->addChild(light);
  }
  return lights;
}

SbBox3f BoundsOf(SoNode* scene) {
  SoGetBoundingBoxAction bounds{SbViewportRegion()};
  bounds.apply(scene);
  return bounds.getBoundingBox();
}

// The largest coordinate of the box, as far from 0 as it reaches.
double Extent(const SbBox3f& box) {
  double extent = 0;
  for (int i = 0; i < 3; ++i) {
    extent = std::max({extent, std::fabs(static_cast<double>(box.getMin()[i])),
                       std::fabs(static_cast<double>(box.getMax()[i]))});
  }
  return extent;
}

// The power of two the scene is drawn to; nothing when it cannot be drawn.
std::optional<float> ScaleFor(double extent) {
  if (!std::isfinite(extent)) return std::nullopt;
  if (extent == 0 || (extent >= kLeastUnscaled && extent <= kMostUnscaled)) return 1.0F;
  const int exponent = std::clamp(kScaledExponent - std::ilogb(extent), -kMostScaleExponent, kMostScaleExponent);
  if (std::abs(std::ilogb(extent) + exponent) > kMostDrawnExponent) return std::nullopt;
  return std::ldexp(1.0F, exponent);
}

}  // namespace

TasterView::TasterView(QWidget* parent)
    : QWidget(parent),
      scene_(std::make_unique<CoinScene>()),
      edges_(std::make_unique<FeatureEdges>()),
      root_(new SoSeparator),
      perspective_(new SoPerspectiveCamera),
      orthographic_(new SoOrthographicCamera),
      cameraSlot_(new SoGroup),
      lights_(Lights()),
      scale_(new SoScale),
      faces_(DrawnFaces(scale_, scene_->Root())),
      surface_(new PreviewSurface(this, [this] { InitializeGL(); }, [this] { PaintGL(); })),
      container_(surface_->Holder()) {
  root_->ref();
  perspective_->ref();
  orthographic_->ref();
  root_->addChild(cameraSlot_);
  root_->addChild(lights_);
  root_->addChild(faces_);
  root_->addChild(edges_->Node());
  camera_.Orientation = *ViewDirection("reset");
  PlaceCamera(camera_);

  // The surface only shows: this widget keeps the focus and takes the
  // mouse. Shown once the window around it has been drawn: setting OpenGL up
  // takes longer than drawing the whole window.
  container_->hide();
  setFocusPolicy(Qt::StrongFocus);
  viewActions_ = AddViewActions(*this);
  load_.setSingleShot(true);
  load_.setInterval(0);
  connect(&load_, &QTimer::timeout, this, &TasterView::Load);
  // Told from the event loop, as a frame asked for later would be: the
  // surface may draw at once, inside the call that asked for the frame.
  surface_->OnFrameSwapped([this] {
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (std::exchange(sceneDrawn_, false)) emit sceneLoaded();
          if (std::exchange(viewDrawn_, false)) emit viewShown();
          if (!std::exchange(warmUpAsked_, true)) QTimer::singleShot(0, this, &TasterView::WarmUp);
        },
        Qt::QueuedConnection);
  });
}

TasterView::~TasterView() {
  ReleaseContext();
  renderer_.reset();
  root_->unref();
  perspective_->unref();
  orthographic_->unref();
}

QImage TasterView::Picture() { return surface_->grabFramebuffer(); }

void TasterView::Redraw() { surface_->update(); }

void TasterView::resizeEvent(QResizeEvent* event) {
  container_->setGeometry(rect());
  QWidget::resizeEvent(event);
}

void TasterView::paintEvent(QPaintEvent* /*event*/) {
  // The sky until the surface shows.
  const SbColor& sky = scene_->Sky();
  QPainter(this).fillRect(rect(), QColor::fromRgbF(sky[0], sky[1], sky[2]));
  if (!std::exchange(surfaceAsked_, true)) surface_->WhenStarted([this] { container_->show(); });
}

void TasterView::Navigate(const std::filesystem::path& file) {
  file_ = file;
  load_.start();
}

void TasterView::Refresh() {
  if (!file_.empty()) load_.start();
}

void TasterView::ShowView(const QString& view) {
  // A view is of the scene asked for last.
  if (load_.isActive()) {
    load_.stop();
    Load();
  }
  if (view == QStringLiteral("orthographic")) {
    orthographicWanted_ = !orthographicWanted_;
    Fit();
  } else if (view == QStringLiteral("fit")) {
    Fit();
  } else if (const std::optional<SbRotation> direction = ViewDirection(view.toStdString())) {
    Fit(*direction);
  } else {
    return;
  }
  viewWaits_ = true;
  surface_->DrawNow();
}

void TasterView::Load() {
  QFile file(QString::fromStdU16String(file_.u16string()));
  QString problem;
  if (!file.open(QIODevice::ReadOnly)) {
    problem = file.errorString();
    scene_->Clear();
  } else {
    const QByteArray text = file.readAll();
    problem = QString::fromStdString(scene_->Read(std::string_view(text.constData(), text.size())));
  }
  if (problem != problem_) {
    problem_ = problem;
    emit problemChanged(problem_);
  }
  Measure();
  Fit();
  sceneWaits_ = true;
  surface_->DrawNow();
}

void TasterView::Measure() {
  const SbBox3f bounds = BoundsOf(scene_->Root());
  const double extent = bounds.isEmpty() ? 0 : Extent(bounds);
  const std::optional<float> scale = ScaleFor(extent);
  const bool problem = !scale.has_value();
  if (problem) scene_->Clear();  // the sky, and the whole file read again next time
  scale_->scaleFactor.setValue(SbVec3f(1, 1, 1) * scale.value_or(1));
  bounds_ = problem ? SbBox3f() : SbBox3f(bounds.getMin() * *scale, bounds.getMax() * *scale);
  edges_->Collect(faces_);
  edges_->Show(camera_);
  if (problem != sizeProblem_) {
    sizeProblem_ = problem;
    emit sizeProblemChanged(sizeProblem_);
  }
}

void TasterView::Fit(std::optional<SbRotation> direction) {
  const QSize size = this->size() * devicePixelRatio();
  if (!HasTool()) {
    // The sky alone looks the same from everywhere.
    if (direction) next_ = direction;
    return;
  }
  const SbRotation along = direction.value_or(next_.value_or(camera_.Orientation));
  next_.reset();
  PlaceCamera(Fitting(bounds_, along, static_cast<float>(size.width()),
                      static_cast<float>(size.height()), orthographicWanted_));
}

void TasterView::PlaceCamera(const CameraPlacement& camera) {
  camera_ = camera;
  SoCamera* node = perspective_;
  if (camera.Orthographic) {
    orthographic_->height = camera.Span;
    node = orthographic_;
  } else {
    perspective_->heightAngle = camera.Span;
  }
  node->position = camera.Position;
  node->orientation = camera.Orientation;
  node->focalDistance = camera.FocalDistance();
  for (int i = 0; i < std::ssize(kLamps); ++i) {
    const Lamp& lamp = kLamps[i];
    SbVec3f direction;
    camera.Orientation.multVec(SbVec3f(lamp.X, lamp.Y, lamp.Z), direction);
    static_cast<SoDirectionalLight*>(lights_->getChild(i + 1))->direction = direction;
  }
  edges_->Show(camera);
  if (cameraSlot_->getNumChildren() == 1 && cameraSlot_->getChild(0) == node) return;
  cameraSlot_->removeAllChildren();
  cameraSlot_->addChild(node);
  if (renderer_) renderer_->setCamera(node);
}

void TasterView::InitializeGL() {
  ReleaseContext();
  renderer_ = std::make_unique<SoRenderManager>();
  renderer_->setSceneGraph(root_);
  renderer_->setCamera(static_cast<SoCamera*>(cameraSlot_->getChild(0)));
  renderer_->setAutoClipping(SoRenderManager::NO_AUTO_CLIPPING);
  cacheContext_ = SoGLCacheContextElement::getUniqueCacheContext();
  renderer_->getGLRenderAction()->setCacheContext(cacheContext_);
  connect(surface_->context(), &QOpenGLContext::aboutToBeDestroyed, this, &TasterView::ReleaseContext,
          Qt::UniqueConnection);
}

void TasterView::ReleaseContext() {
  if (cacheContext_ == 0 || surface_->context() == nullptr) return;
  surface_->makeCurrent();
  SoContextHandler::destructingContext(cacheContext_);
  surface_->doneCurrent();
  cacheContext_ = 0;
}

void TasterView::PaintGL() {
  auto* camera = static_cast<SoCamera*>(cameraSlot_->getChild(0));
  if (HasTool()) {
    const DepthRange depths = DepthsOf(camera_, bounds_);
    camera->nearDistance = depths.Near;
    camera->farDistance = depths.Far;
  }
  Draw(root_, camera);
  sceneDrawn_ = sceneDrawn_ || std::exchange(sceneWaits_, false);
  viewDrawn_ = viewDrawn_ || std::exchange(viewWaits_, false);
}

void TasterView::Draw(SoNode* root, SoCamera* camera) {
  const QSize size = this->size() * devicePixelRatio();
  const SbVec2s pixels(static_cast<short>(size.width()), static_cast<short>(size.height()));
  renderer_->setWindowSize(pixels);
  renderer_->setSize(pixels);
  renderer_->setViewportRegion(SbViewportRegion(pixels));
  const SbColor& sky = scene_->Sky();
  renderer_->setBackgroundColor(SbColor4f(sky, 1));
  if (renderer_->getSceneGraph() != root) renderer_->setSceneGraph(root);
  if (renderer_->getCamera() != camera) renderer_->setCamera(camera);
  // Coin takes the depth test as on from the start (lines drawn over their
  // faces pass), as a new context does not have it: each frame starts so.
  QOpenGLFunctions* gl = surface_->context()->functions();
  gl->glEnable(GL_DEPTH_TEST);
  gl->glDepthFunc(GL_LEQUAL);
  renderer_->render();
}

void TasterView::WarmUp() {
  // Made only where the surface draws it.
  surface_->DrawUnseen([this] {
    const QSize size = this->size() * devicePixelRatio();
    const WarmUpTool tool(lights_, static_cast<float>(size.width()), static_cast<float>(size.height()));
    Draw(tool.Root(), tool.Camera());
    // The renderer lets go of the tool before it goes.
    renderer_->setSceneGraph(root_);
    renderer_->setCamera(static_cast<SoCamera*>(cameraSlot_->getChild(0)));
  });
  emit warmedUp();
}

void TasterView::mousePressEvent(QMouseEvent* event) {
  dragFrom_ = event->position().toPoint();
  QWidget::mousePressEvent(event);
}

void TasterView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const QPoint moved = at - dragFrom_;
  dragFrom_ = at;
  if (!HasTool() || moved.isNull()) return;
  const bool pan = event->buttons() & Qt::MiddleButton ||
                   (event->buttons() & Qt::LeftButton && event->modifiers() & Qt::ShiftModifier);
  if (pan) {
    PlaceCamera(Panned(camera_, static_cast<float>(moved.x()), static_cast<float>(moved.y()),
                       static_cast<float>(std::min(width(), height()))));
  } else if (event->buttons() & Qt::LeftButton) {
    PlaceCamera(Turned(camera_, static_cast<float>(moved.x()), static_cast<float>(moved.y())));
  } else {
    return;
  }
  Redraw();
}

void TasterView::wheelEvent(QWheelEvent* event) {
  if (!HasTool()) {
    event->ignore();  // the form around it scrolls on a small screen
    return;
  }
  const QPointF at = event->position();
  const SbVec2f pointer(static_cast<float>(at.x() - width() / 2.0),
                        static_cast<float>(height() / 2.0 - at.y()));
  PlaceCamera(Zoomed(camera_, static_cast<float>(event->angleDelta().y()) / kWheelNotch, pointer,
                     static_cast<float>(std::min(width(), height()))));
  Redraw();
}

}  // namespace tarvo::ui
