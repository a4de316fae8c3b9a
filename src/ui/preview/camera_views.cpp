#include "ui/preview/camera_views.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tarvo::ui {
namespace {

constexpr float kDegree = std::numbers::pi_v<float> / 180;
// A field of view that keeps the perspective mild: a cylinder seen from
// above still reads as a cylinder.
constexpr float kFieldOfView = 30 * kDegree;
// The room left around the fitted tool, as a share of its size.
constexpr float kMargin = 1.1F;
// A drag across 360 pixels turns the tool half round.
constexpr float kTurnPerPixel = 0.5F * kDegree;
// One notch of the wheel brings the camera this much closer.
constexpr float kZoomPerStep = 0.85F;

const SbVec3f kAxisX(1, 0, 0);
const SbVec3f kAxisY(0, 1, 0);

// First tilts the camera by `pitch` about its x axis, then turns it by `yaw`
// about the probe axis (degrees).
SbRotation YawPitch(float yaw, float pitch) {
  return SbRotation(kAxisX, pitch * kDegree) * SbRotation(kAxisY, yaw * kDegree);
}

SbVec3f Turn(const SbRotation& rotation, const SbVec3f& v) {
  SbVec3f turned;
  rotation.multVec(v, turned);
  return turned;
}

SbVec3f ViewAxis(const CameraPlacement& camera) { return Turn(camera.Orientation, {0, 0, -1}); }

}  // namespace

std::optional<SbRotation> ViewDirection(std::string_view view) {
  const float isometricPitch = -std::atan(std::numbers::sqrt2_v<float> / 2) / kDegree;
  if (view == "front") return SbRotation::identity();
  if (view == "right") return SbRotation(kAxisY, 90 * kDegree);
  if (view == "top") return SbRotation(kAxisX, -90 * kDegree);
  if (view == "bottom") return SbRotation(kAxisX, 90 * kDegree);
  if (view == "isometric") return YawPitch(45, isometricPitch);
  if (view == "reset") return YawPitch(30, 15);
  return std::nullopt;
}

float CameraPlacement::FocalDistance() const { return (Centre - Position).dot(ViewAxis(*this)); }

float CameraPlacement::UnitsPerPixel(float shorterPixels) const {
  const float across = Orthographic ? Span : 2 * FocalDistance() * std::tan(Span / 2);
  return across / std::max(shorterPixels, 1.0F);
}

DepthRange DepthsOf(const CameraPlacement& camera, const SbBox3f& box) {
  const SbVec3f axis = ViewAxis(camera);
  float nearest = std::numeric_limits<float>::max();
  float farthest = std::numeric_limits<float>::lowest();
  for (int corner = 0; corner < 8; ++corner) {
    const SbVec3f& low = box.getMin();
    const SbVec3f& high = box.getMax();
    const SbVec3f point((corner & 1) ? high[0] : low[0], (corner & 2) ? high[1] : low[1],
                        (corner & 4) ? high[2] : low[2]);
    const float depth = (point - camera.Position).dot(axis);
    nearest = std::min(nearest, depth);
    farthest = std::max(farthest, depth);
  }
  const float room = 0.01F * (farthest - nearest) + 1e-3F * std::abs(farthest);
  DepthRange range{nearest - room, farthest + room};
  // A camera inside the tool still sees what lies in front of it.
  range.Far = std::max(range.Far, 1e-3F);
  range.Near = std::max(range.Near, range.Far * 1e-4F);
  return range;
}

CameraPlacement Fitting(const SbBox3f& box, const SbRotation& direction, float width, float height,
                        bool orthographic) {
  float sizeX = 0, sizeY = 0, sizeZ = 0;
  box.getSize(sizeX, sizeY, sizeZ);
  const SbRotation back = direction.inverse();
  // The box's half extents across and along the view.
  float halfX = 0, halfY = 0, halfZ = 0;
  for (const float sx : {-0.5F, 0.5F}) {
    for (const float sy : {-0.5F, 0.5F}) {
      for (const float sz : {-0.5F, 0.5F}) {
        const SbVec3f corner = Turn(back, {sx * sizeX, sy * sizeY, sz * sizeZ});
        halfX = std::max(halfX, std::abs(corner[0]));
        halfY = std::max(halfY, std::abs(corner[1]));
        halfZ = std::max(halfZ, std::abs(corner[2]));
      }
    }
  }
  halfX = std::max(halfX, 1e-3F) * kMargin;
  halfY = std::max(halfY, 1e-3F) * kMargin;
  width = std::max(width, 1.0F);
  height = std::max(height, 1.0F);
  // The camera's span runs across the shorter side of the view.
  const float shorter = std::min(width, height);
  const float spread = std::max(halfX * shorter / width, halfY * shorter / height);
  // The orthographic camera stands where the perspective one would, so that
  // turning the projection over keeps the tool in place.
  const float distance = halfZ + spread / std::tan(kFieldOfView / 2);
  CameraPlacement camera;
  camera.Centre = box.getCenter();
  camera.Orientation = direction;
  camera.Position = camera.Centre + Turn(direction, {0, 0, distance});
  camera.Orthographic = orthographic;
  camera.Span = orthographic ? 2 * spread : kFieldOfView;
  return camera;
}

CameraPlacement Turned(const CameraPlacement& camera, float dx, float dy) {
  // The camera goes round the other way from the tool.
  const SbVec3f right = Turn(camera.Orientation, kAxisX);
  const SbRotation turn =
      SbRotation(right, -dy * kTurnPerPixel) * SbRotation(kAxisY, -dx * kTurnPerPixel);
  CameraPlacement turned = camera;
  turned.Position = camera.Centre + Turn(turn, camera.Position - camera.Centre);
  turned.Orientation = camera.Orientation * turn;
  return turned;
}

CameraPlacement Panned(const CameraPlacement& camera, float dx, float dy, float shorterPixels) {
  // The tool follows the pointer: the camera moves the other way.
  const float units = camera.UnitsPerPixel(shorterPixels);
  CameraPlacement panned = camera;
  panned.Position += Turn(camera.Orientation, {-dx * units, dy * units, 0});
  return panned;
}

CameraPlacement Zoomed(const CameraPlacement& camera, float steps, const SbVec2f& pointer,
                       float shorterPixels) {
  const float factor = std::pow(kZoomPerStep, steps);
  const float units = camera.UnitsPerPixel(shorterPixels);
  // From the camera to the point under the pointer at the centre's depth.
  const SbVec3f across = Turn(camera.Orientation, {pointer[0] * units, pointer[1] * units, 0});
  CameraPlacement zoomed = camera;
  if (camera.Orthographic) {
    // The view shrinks about the point under the pointer.
    zoomed.Span = camera.Span * factor;
    zoomed.Position += across * (1 - factor);
  } else {
    // The camera moves towards that point, which stays under the pointer.
    const SbVec3f toPoint = ViewAxis(camera) * camera.FocalDistance() + across;
    zoomed.Position += toPoint * (1 - factor);
  }
  return zoomed;
}

}  // namespace tarvo::ui
