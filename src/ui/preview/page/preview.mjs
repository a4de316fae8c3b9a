// Shows the scene texts that the TasterView widget sends over the web channel
// and tells it when each one is on the screen.
//
// Besides X_ITE's public interface this uses a few of its own calls, fixed by
// the exact version the project pins: getActiveViewpoint (the bound viewpoint,
// also when it is the default one), getUserPosition and getUserOrientation
// (the camera including what the user turned, moved and zoomed with the
// mouse) and nextFrame.
import { groupTruncatedCones } from "./cone_shapes.mjs";

// The browser of the page's canvas, or null when it could not start (no
// WebGL); the canvas then shows its plain message instead.
function startBrowser() {
  return X3D().then(() => document.querySelector("x3d-canvas").browser, () => null);
}

// A viewpoint for the new scene at the camera the user last looked through:
// the new scene first appears as the old one was seen, and fitting the view
// keeps the direction.
function sameCamera(browser, scene) {
  const viewpoint = scene.createNode("Viewpoint");
  const camera = browser.getActiveViewpoint();
  if (camera) {
    viewpoint.position = new X3D.SFVec3f(...camera.getUserPosition());
    viewpoint.orientation = new X3D.SFRotation(...camera.getUserOrientation());
  }
  return viewpoint;
}

// Replaces the world by the scene and fits the whole tool into view.
async function show(browser, vrml) {
  const scene = await browser.createX3DFromString(groupTruncatedCones(vrml));
  scene.rootNodes.push(sameCamera(browser, scene));
  const replaced = browser.currentScene;
  await browser.replaceWorld(scene);
  // The browser keeps every scene it has made, with all its nodes, until the
  // scene is disposed.
  replaced.dispose();
  // The cone prototype's script shapes its extrusion in the first event
  // cascade; the tool's bounds are known only after it.
  await browser.nextFrame();
  browser.viewAll(0);
  await browser.nextFrame();
}

const browser = await startBrowser();

new QWebChannel(qt.webChannelTransport, ({ objects: { preview } }) => {
  preview.showScene.connect(async (vrml) => {
    try {
      if (!browser) throw new Error("no X3D browser");
      await show(browser, vrml);
      preview.sceneShown(true);
    } catch (error) {
      console.error(String(error));
      preview.sceneShown(false);
    }
  });
  preview.pageReady();
});
