// Lights the copy of the scene that the browser shows, so that a tool's faces
// read apart: the scene file lights it by the head light alone, which leaves
// every face seen edge-on black and turns the specular highlights white.
// The file stays as written; only the copy changes.

// Softer highlights, a little less diffuse light so that a face lit by the
// head light and a lamp stays below white, and a share of each colour that
// no face falls below.
const specularShare = 0.25;
const diffuseShare = 5 / 6;
const ambientIntensity = 0.4;

// Light from above and from the left, fixed to the tool: the caps, the
// flanks and the faces that turn away from the viewer each get their own
// shade, as they would under a workshop lamp.
const lights = [
  { direction: [0.2, -1, -0.3], intensity: 0.3 },
  { direction: [1, 0.3, -0.2], intensity: 0.2 },
];

export function softenLighting(scene) {
  for (const name of ["Gray", "Red"]) {
    let appearance;
    try {
      appearance = scene.getNamedNode(name);
    } catch {
      continue;
    }
    const material = appearance.material;
    if (!material) continue;
    const s = material.specularColor;
    const d = material.diffuseColor;
    material.specularColor = new X3D.SFColor(s.r * specularShare, s.g * specularShare, s.b * specularShare);
    material.diffuseColor = new X3D.SFColor(d.r * diffuseShare, d.g * diffuseShare, d.b * diffuseShare);
    material.ambientIntensity = ambientIntensity;
  }
  const ambient = scene.createNode("DirectionalLight");
  ambient.intensity = 0;
  ambient.ambientIntensity = 1;
  scene.rootNodes.push(ambient);
  for (const { direction, intensity } of lights) {
    const light = scene.createNode("DirectionalLight");
    light.direction = new X3D.SFVec3f(...direction);
    light.intensity = intensity;
    scene.rootNodes.push(light);
  }
}
