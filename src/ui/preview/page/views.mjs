// The camera of the preview: the standard views of an engineer's viewer,
// fitting the tool, and the orthographic or perspective projection.
//
// The scene's y axis is the probe axis, the head at the top (y = 0) and the
// tip below it. A camera looks down its own -z axis with +y up; a direction
// is the rotation [x, y, z, angle] that turns the camera that way.

// The rotation that first tilts the camera by `pitch` about its x axis, then
// turns it by `yaw` about the probe axis (degrees).
function yawPitch(yaw, pitch) {
  const half = Math.PI / 360;
  const [sy, cy] = [Math.sin(yaw * half), Math.cos(yaw * half)];
  const [sp, cp] = [Math.sin(pitch * half), Math.cos(pitch * half)];
  const [x, y, z, w] = [cy * sp, sy * cp, -sy * sp, cy * cp];
  const length = Math.hypot(x, y, z);
  return length === 0 ? [0, 1, 0, 0] : [x / length, y / length, z / length, 2 * Math.acos(w)];
}

export const directions = {
  front: [0, 1, 0, 0],
  right: [0, 1, 0, Math.PI / 2],
  top: [1, 0, 0, -Math.PI / 2], // down the probe axis, the front at the bottom
  bottom: [1, 0, 0, Math.PI / 2], // up at the tip
  isometric: yawPitch(45, -Math.atan(Math.SQRT1_2) * (180 / Math.PI)),
  // The view a new tool starts with: from the front, a little from the right
  // and from above, so that the faces of a prism and the top of a disk show.
  reset: yawPitch(30, -20),
};

// A field of view that keeps the perspective mild: a cylinder seen from
// above still reads as a cylinder.
const fieldOfView = Math.PI / 6;
// The orthographic view: the scene is VRML 2.0, which has no orthographic
// camera, so the camera stands a thousand times farther off with a field of
// view as much narrower. Lines along the view then keep their size within a
// thousandth: parallel edges stay parallel to well under a pixel.
const telephoto = 1000;
const orthographicFieldOfView = 2 * Math.atan(Math.tan(fieldOfView / 2) / telephoto);
// The room left around the fitted tool, as a share of its size.
const margin = 1.1;

const vector = (v) => new X3D.SFVec3f(v.x, v.y, v.z);

// Where the camera must stand, and what it must see, to show the whole
// `bbox` in a `width` × `height` view along `direction`.
export function fitting(bbox, direction, width, height, orthographic) {
  const turn = new X3D.SFRotation(...direction);
  const back = turn.inverse();
  const centre = vector(bbox.center);
  const half = vector(bbox.size).multiply(0.5);
  let [hx, hy, hz] = [0, 0, 0];
  for (const sx of [-1, 1]) {
    for (const sy of [-1, 1]) {
      for (const sz of [-1, 1]) {
        const corner = back.multVec(new X3D.SFVec3f(sx * half.x, sy * half.y, sz * half.z));
        [hx, hy, hz] = [Math.max(hx, Math.abs(corner.x)), Math.max(hy, Math.abs(corner.y)),
          Math.max(hz, Math.abs(corner.z))];
      }
    }
  }
  [hx, hy] = [Math.max(hx, 1e-3) * margin, Math.max(hy, 1e-3) * margin];
  // The field of view spans the shorter side of the view.
  const shorter = Math.min(width, height);
  const spread = Math.max((hx * shorter) / width, (hy * shorter) / height);
  const angle = orthographic ? orthographicFieldOfView : fieldOfView;
  const distance = hz + spread / Math.tan(angle / 2);
  return {
    position: centre.add(turn.multVec(new X3D.SFVec3f(0, 0, distance))),
    orientation: turn,
    centre,
    fieldOfView: angle,
    // Room to zoom in and out with the mouse.
    near: distance / 200,
    far: distance * 50,
  };
}

export class Camera {
  constructor(browser, canvas) {
    this.browser = browser;
    this.canvas = canvas;
    this.orthographic = false;
    this.node = null; // the bound camera, once there is one
    this.limits = null; // its near and far distance
    this.next = null; // the direction asked for while no tool was shown
  }

  // The direction the user looks now: the bound camera's, with what the user
  // turned with the mouse; the reset view before the first scene.
  direction() {
    return this.node ? [...this.browser.getActiveViewpoint().getUserOrientation()] : directions.reset;
  }

  // A new scene gets the camera the user looked through, so that it first
  // appears as the old one was seen, and navigation without transitions.
  adopt(scene) {
    const navigation = scene.createNode("NavigationInfo");
    navigation.type = new X3D.MFString("EXAMINE", "ANY");
    navigation.transitionType = new X3D.MFString("TELEPORT");
    scene.rootNodes.push(navigation);
    if (!this.node) return;
    const active = this.browser.getActiveViewpoint();
    this.node = this.camera(scene, {
      position: new X3D.SFVec3f(...active.getUserPosition()),
      orientation: new X3D.SFRotation(...active.getUserOrientation()),
      centre: new X3D.SFVec3f(...active.getUserCenterOfRotation()),
      fieldOfView: active.getUserFieldOfView(),
      ...this.limits,
    });
  }

  camera(scene, view) {
    const node = scene.createNode("Viewpoint");
    node.position = view.position;
    node.orientation = view.orientation;
    node.centerOfRotation = view.centre;
    node.fieldOfView = view.fieldOfView;
    node.nearDistance = view.near;
    node.farDistance = view.far;
    scene.rootNodes.push(node);
    return node;
  }

  // Shows the whole tool along `direction` (the user's when none) in the
  // projection the user chose, replacing the camera of the last view. The sky
  // alone looks the same from everywhere: while no tool is shown, a view only
  // sets the direction in which the next tool appears, and nothing is drawn.
  async fit(direction) {
    const scene = this.browser.currentScene;
    const bbox = this.browser.getActiveLayer().getBBox(new X3D.Box3());
    if (bbox.size.x <= 0 && bbox.size.y <= 0 && bbox.size.z <= 0) {
      this.next = direction ?? this.next;
      return;
    }
    direction ??= this.next ?? this.direction();
    this.next = null;
    const view = fitting(bbox, direction, this.canvas.clientWidth || 1,
      this.canvas.clientHeight || 1,
      this.orthographic);
    this.limits = { near: view.near, far: view.far };
    const old = this.node;
    this.node = this.camera(scene, view);
    this.node.set_bind = true;
    if (old) scene.rootNodes = new X3D.MFNode(...[...scene.rootNodes].filter((n) => !n.equals(old)));
    await this.browser.nextFrame();
    await this.browser.nextFrame();
  }

  // Fits the tool in one of the `directions`, or as it is ("fit"), or turns
  // the projection over ("orthographic").
  async show(view) {
    if (view === "orthographic") this.orthographic = !this.orthographic;
    if (view === "fit" || view === "orthographic") return this.fit();
    if (!(view in directions)) throw new Error(`no view ${view}`);
    return this.fit(directions[view]);
  }
}
