#pragma once

class SoNode;
class SoScale;
class SoSeparator;

namespace tarvo::ui {

// The faces of a scene as the preview draws them: round enough that a
// cylinder seen from above shows a circle (and the same however large it
// is drawn, for the edges found once), scaled by `scale`, and pushed back a
// little behind the feature edges drawn over them.
SoSeparator* DrawnFaces(SoScale* scale, SoNode* scene);

}  // namespace tarvo::ui
