#pragma once

#include <Inventor/SbBox3f.h>
#include <Inventor/SbRotation.h>
#include <Inventor/SbVec2f.h>
#include <Inventor/SbVec3f.h>

#include <optional>
#include <string_view>

namespace tarvo::ui {

// The camera of the preview: the standard views of an engineer's viewer,
// fitting the tool, and the moves of the mouse.
//
// The scene's y axis is the probe axis, the head at the top (y = 0) and the
// tip below it. A camera looks down its own -z axis with +y up; a direction
// is the rotation that turns the camera that way.

// "front", "right", "top" (down the probe axis, the front at the bottom),
// "bottom" (up at the tip), "isometric" and "reset", the view a new tool
// starts with: from the front, a little from the right and a little from
// below, so that the tip under a wider shank shows.
std::optional<SbRotation> ViewDirection(std::string_view view);

// Where the camera stands and how much it sees.
struct CameraPlacement {
  SbVec3f Position{0, 0, 1};
  SbRotation Orientation = SbRotation::identity();
  SbVec3f Centre{0, 0, 0};  // what a drag turns the tool about
  bool Orthographic = false;
  // Perspective: the angle the view spans across its shorter side (radians);
  // orthographic: the length it spans there (scene units).
  float Span = 0;

  // The distance from the camera to the centre along the view.
  float FocalDistance() const;
  // Scene units per pixel at the centre's depth, in a view whose shorter
  // side has `shorterPixels`.
  float UnitsPerPixel(float shorterPixels) const;
};

// The near and far distances of a camera that sees all of `box` and little
// more: the depth buffer's precision goes where the elements meet.
struct DepthRange {
  float Near = 0;
  float Far = 0;
};
DepthRange DepthsOf(const CameraPlacement& camera, const SbBox3f& box);

// The camera that shows the whole `box` along `direction` in a view of
// `width` x `height` pixels.
CameraPlacement Fitting(const SbBox3f& box, const SbRotation& direction, float width, float height,
                        bool orthographic);

// The mouse: a drag turns the tool about its centre (sideways about the
// probe axis, up and down about the view's horizontal axis), by `dx` and
// `dy` pixels; Shift+drag moves it along; the wheel zooms by `steps` (one
// per notch, positive towards the tool) towards the pointer at `pointer`
// pixels from the view's centre (x right, y up).
CameraPlacement Turned(const CameraPlacement& camera, float dx, float dy);
CameraPlacement Panned(const CameraPlacement& camera, float dx, float dy, float shorterPixels);
CameraPlacement Zoomed(const CameraPlacement& camera, float steps, const SbVec2f& pointer,
                       float shorterPixels);

}  // namespace tarvo::ui
