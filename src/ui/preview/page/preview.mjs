// Shows the scene texts that the TasterView widget sends over the web channel
// and the views it asks for, one after the other, and tells it when each one
// is on the screen.
//
// Besides X_ITE's public interface this uses a few of its own calls, fixed by
// the exact version the project pins: getActiveViewpoint (the bound viewpoint)
// with getUserPosition, getUserOrientation, getUserCenterOfRotation and
// getUserFieldOfView (the camera including what the user turned, moved and
// zoomed with the mouse), getActiveLayer().getBBox with X3D.Box3 (the
// tool's bounds) and nextFrame.
import { groupTruncatedCones } from "./cone_shapes.mjs";
import { softenLighting } from "./lighting.mjs";
import { Camera } from "./views.mjs";

const canvas = document.querySelector("x3d-canvas");

// The browser of the page's canvas, or null when it could not start (no
// WebGL); the canvas then shows its plain message instead.
function startBrowser() {
  return X3D().then(() => canvas.browser, () => null);
}

// Replaces the world by the scene and fits the whole tool into view along
// the direction the user looked.
async function show(browser, camera, vrml) {
  const scene = await browser.createX3DFromString(groupTruncatedCones(vrml));
  softenLighting(scene);
  camera.adopt(scene);
  const replaced = browser.currentScene;
  await browser.replaceWorld(scene);
  // The browser keeps every scene it has made, with all its nodes, until the
  // scene is disposed.
  replaced.dispose();
  // The world is replaced in the first event cascade of a frame, in which the
  // cone prototype's script also shapes its extrusion: the tool's bounds are
  // known once replaceWorld is done.
  await camera.show("fit");
  // The canvas stays hidden behind the page's sky until it shows a scene.
  document.body.classList.add("shown");
}

const browser = await startBrowser();
const camera = browser && new Camera(browser, canvas);
// Round cylinders and balls: a top view shows a circle, not a polygon.
browser?.setBrowserOption("PrimitiveQuality", "HIGH");
if (!browser) document.body.classList.add("shown");

// One task at a time: a view asked for while a scene loads waits for it.
let queue = Promise.resolve();
function enqueue(task, report) {
  queue = queue.then(async () => {
    try {
      if (!browser) throw new Error("no X3D browser");
      await task();
      report(true);
    } catch (error) {
      console.error(String(error));
      report(false);
    }
  });
}

new QWebChannel(qt.webChannelTransport, ({ objects: { preview } }) => {
  preview.showScene.connect((vrml) =>
    enqueue(() => show(browser, camera, vrml), (ok) => preview.sceneShown(ok)));
  preview.showView.connect((view) =>
    enqueue(() => camera.show(view), (ok) => preview.viewShown(ok)));
  preview.pageReady();
});
