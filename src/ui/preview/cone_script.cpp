#include "ui/preview/cone_script.h"

#include <Inventor/VRMLnodes/SoVRMLScript.h>
#include <Inventor/fields/SoMFVec2f.h>
#include <Inventor/fields/SoMFVec3f.h>
#include <Inventor/fields/SoSFFloat.h>
#include <Inventor/fields/SoSFVec2f.h>
#include <Inventor/fields/SoSFVec3f.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace tarvo::ui {
namespace {

// The script as the scene writes it, blanks and line breaks aside.
constexpr std::string_view kConeScript =
    "javascript:functioninitialize(){"
    "spine_changed[0]=spine_0;"
    "spine_0[1]=height;"
    "spine_changed[1]=spine_0;"
    "scale_changed[0]=scale_0.multiply(bottomRadius);"
    "scale_changed[1]=scale_0.multiply(topRadius);"
    "}";

std::string WithoutBlanks(std::string_view text) {
  std::string kept;
  std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
               [](unsigned char c) { return std::isspace(c) == 0; });
  return kept;
}

// The script's field or eventOut of this name and type, or null.
template <typename Field>
Field* FieldOf(SoVRMLScript& script, const char* name) {
  SoField* field = script.getField(name);
  return field != nullptr && field->isOfType(Field::getClassTypeId()) ? static_cast<Field*>(field)
                                                                      : nullptr;
}

}  // namespace

bool RunConeScript(SoVRMLScript& script) {
  if (script.url.getNum() != 1 || WithoutBlanks(script.url[0].getString()) != kConeScript) {
    return false;
  }
  auto* spineOut = FieldOf<SoMFVec3f>(script, "spine_changed");
  auto* scaleOut = FieldOf<SoMFVec2f>(script, "scale_changed");
  auto* spine = FieldOf<SoSFVec3f>(script, "spine_0");
  auto* scale = FieldOf<SoSFVec2f>(script, "scale_0");
  auto* height = FieldOf<SoSFFloat>(script, "height");
  auto* bottomRadius = FieldOf<SoSFFloat>(script, "bottomRadius");
  auto* topRadius = FieldOf<SoSFFloat>(script, "topRadius");
  if (!spineOut || !scaleOut || !spine || !scale || !height || !bottomRadius || !topRadius) {
    return false;
  }
  // The statements in turn; spine_0 is the script's own field, changed in place.
  SbVec3f spinePoint = spine->getValue();
  const SbVec3f first = spinePoint;
  spinePoint[1] = height->getValue();
  const SbVec3f spinePoints[] = {first, spinePoint};
  spine->setValue(spinePoint);
  const SbVec2f scales[] = {scale->getValue() * bottomRadius->getValue(),
                            scale->getValue() * topRadius->getValue()};
  // An eventOut sends its whole value once the script is done.
  spineOut->setNum(2);
  spineOut->setValues(0, 2, spinePoints);
  scaleOut->setNum(2);
  scaleOut->setValues(0, 2, scales);
  return true;
}

}  // namespace tarvo::ui
