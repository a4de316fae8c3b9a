#pragma once

#include <string>

#include "editor/editor_testing.h"

namespace tarvo::sheet::testing {

// A polygonal tool as the editor writes it: one polygon of `edges` edges,
// edge length `upper` at the top and `lower` at the bottom (a two-level
// polygon when they differ), 10 high.
inline std::string PolygonTool(const char* edges, const char* upper, const char* lower) {
  using enum editor::ControlId;
  editor::testing::EditorFixture f;
  f.StartTool(Ob_Polyg, "P1");
  if (std::string(upper) == lower) {
    f.editor.Click(Ob_Cone);
    f.Confirm({{Cb_Edges, edges}, {Tb_Diam2, upper}, {Tb_Height, "10"}});
  } else {
    f.editor.Click(Ob_Sphere);
    f.Confirm({{Cb_Edges, edges}, {Tb_Diam2, upper}, {Tb_LengthMin, lower}, {Tb_Height, "10"}});
  }
  return f.editor.Tool().Text();
}

// A tip of 49 cylinders 0.5 high, by turns 3 and 2.5 wide, and a ball of 2.
inline std::string FiftyElementTip() {
  std::string block = "ITEM:THIN50 TARVO1\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\n";
  for (int i = 0; i < 49; ++i) {
    block += "cylinder 0 0 " + std::to_string(-0.5 * i) + " 0 0 " + std::to_string(-0.5 * (i + 1)) +
             (i % 2 ? " 2.5\r\n" : " 3\r\n");
  }
  return block + "color 255 0 0\r\nsphere 0 0 -24.5 2\r\nhotspot 0 0 -24.5 0 0 1 2 2 ball\r\nendtip\r\n";
}

}  // namespace tarvo::sheet::testing
