#pragma once

class SoVRMLScript;

namespace tarvo::ui {

// The scene's TruncatedCone prototype shapes its Extrusion with a script
// that Coin cannot run (it has no script engine):
//
//   function initialize(){
//   spine_changed[0]=spine_0;
//   spine_0[1]=height;
//   spine_changed[1]=spine_0;
//   scale_changed[0]=scale_0.multiply(bottomRadius);
//   scale_changed[1]=scale_0.multiply(topRadius);
//   }
//
// When `script` holds exactly that script, runs it here on the instance's
// own field values: its eventOuts change and the prototype's routes carry
// them to the extrusion. Returns false, changing nothing, for any other
// script.
bool RunConeScript(SoVRMLScript& script);

}  // namespace tarvo::ui
