// The window model's rules as one table: every action of the four steps, in the order a user
// meets them, with all that its last step changes; all a row does not name stays as it was.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "editor_testing.h"
#include "numbers/number_text.h"

namespace tarvo::editor {
namespace {

// Steps ("; "): load, click A, set A 'TEXT', pick A N (from 1), focus A. Outcomes ("; "): shown,
// hidden (own visibility), enabled, disabled, selected, clear A B...; focus A [whole|caret N]: A
// has the focus and a text box (A with "whole") its whole text selected, with "caret N" nothing;
// A B=TEXT, A+=TEXT: a text or caption (a changed one has the caret at its start), an editor
// value, a file, the message box, its title or "A items" is or grew by TEXT, "|" for CR LF.

// The Step 3 options and the DISK box, as every action that runs them leaves Step 4.
constexpr const char* kCylinder =
    "hidden Cb_Edges Cb_Disk Lbl_LengthMin Tb_LengthMin Lbl_Diam2 Tb_Diam2; shown Frame_Element "
    "Frame_ToolData Tb_Diam Lbl_Height Tb_Height Cmd_Confirm; Tb_Diam Tb_Diam2 Tb_Height=0; "
    "Lbl_ElemType=CYLINDER; Lbl_Diam=DIAMETER:; selected Ob_Cylinder; clear Ob_Cone Ob_Sphere; "
    "focus Tb_Diam; ElementKind=Cyl; ElementOption=CYLINDER";
constexpr const char* kCone =
    "hidden Cb_Disk Lbl_LengthMin Tb_LengthMin Cb_Edges; shown Frame_Element Frame_ToolData "
    "Tb_Diam Lbl_Diam2 Lbl_Height Tb_Diam2 Tb_Height Cmd_Confirm; Tb_Diam Tb_Diam2 Tb_Height=0; "
    "Cb_Edges=3; Lbl_ElemType=CONE; Lbl_Diam=DIAMETER:; Lbl_Diam2=MINOR DIAMETER:; selected "
    "Ob_Cone; clear Ob_Cylinder Ob_Sphere; focus Tb_Diam; ElementKind=Cone; ElementOption=CONE";
constexpr const char* kPolygon =
    "hidden Cb_Disk Lbl_LengthMin Tb_LengthMin Tb_Diam; shown Frame_Element Frame_ToolData "
    "Cb_Edges Lbl_Diam2 Lbl_Height Tb_Diam2 Tb_Height Cmd_Confirm; Tb_Diam Tb_Diam2 Tb_Height=0; "
    "Cb_Edges=3; Lbl_ElemType=POLYGON; Lbl_Diam=NR. OF EDGES:; Lbl_Diam2=POLYGON EDGE LENGTH:; "
    "selected Ob_Cone; clear Ob_Cylinder Ob_Sphere; focus Tb_Diam2; ElementKind=Polygon; "
    "ElementOption=CONE";
constexpr const char* kBall =
    "hidden Lbl_LengthMin Tb_LengthMin Lbl_Diam2 Lbl_Height Tb_Diam2 Tb_Height; shown "
    "Frame_Element Frame_ToolData Cb_Disk Cmd_Confirm; Tb_Diam Tb_Diam2 Tb_Height=0; "
    "Lbl_ElemType=SPHERE; clear Cb_Disk Ob_Cylinder Ob_Cone; selected Ob_Sphere; focus Tb_Diam; "
    "ElementKind=Sphere; ElementOption=SPHERE";
constexpr const char* kTwoLevels =
    "hidden Cb_Disk Tb_Diam; shown Frame_Element Frame_ToolData Cb_Edges Lbl_LengthMin "
    "Tb_LengthMin Lbl_Diam2 Lbl_Height Tb_Diam2 Tb_Height Cmd_Confirm; Tb_LengthMin Tb_Diam "
    "Tb_Diam2 Tb_Height=0; Cb_Edges=3; Lbl_ElemType=2 LEVELS POLYGON; Lbl_Diam=NR. OF EDGES:; "
    "Lbl_Diam2=UPPER POLYGON EDGE:; Lbl_LengthMin=LOWER POLYGON EDGE:; selected Ob_Sphere; clear "
    "Ob_Cylinder Ob_Cone; focus Tb_Diam2; ElementKind=Complex; ElementOption=SPHERE";

// The commands' own parts. NEW TOOL's focus passes on from the vanished Step 1.
constexpr const char* kNewTool =
    "disabled Tb_ToolName; hidden Frame_NewTool Cmd_DelLast Cmd_DelAll Cmd_Confirm Cmd_Export; "
    "shown Cmd_Add Frame_Buttons; selected Ob_Tip; clear Ob_Extend Ob_Polyg; ElementCount=0; "
    "LineCount=1; focus RTB_Tool";
constexpr const char* kNameRefused =
    "message=Please insert a NAME for the new tool; title=Tool Name Error; focus Cmd_NewTool";
constexpr const char* kControlsRefused =
    "message=Please remove tabs and line breaks from the NAME and the EXTENSION; title=Tool Name "
    "Error; focus Cmd_NewTool";
constexpr const char* kAdd =
    "hidden Frame_Buttons Cmd_DelAll Cmd_DelLast Cmd_Export; shown Cmd_Add Frame_Element "
    "Frame_ToolData; SceneZ=0";
constexpr const char* kAddTip =
    "shown Ob_Cone Ob_Sphere Tb_Diam; hidden Cb_Edges; Ob_Cone=CONE; Ob_Sphere=SPHERE OR DISK; "
    "Lbl_Diam2=MINOR DIAMETER:; LineCount=4; RTB_Tool+=begintip|color 142 142 142|ribcount 20|";
constexpr const char* kConfirmed =
    "hidden Cmd_Add Frame_Buttons; shown Cmd_DelLast Cmd_DelAll Frame_Element Cmd_Confirm";
constexpr const char* kRefused = "title=TARVO TOOLS CREATION";
constexpr const char* kDeleteLast =
    "hidden Cmd_DelLast Cmd_Export; shown Cmd_Confirm; FaceCount VertexCount=0";
constexpr const char* kDeleteAll =
    "hidden Frame_Buttons Frame_Element Frame_ToolData Cmd_DelAll Cmd_DelLast Cmd_Confirm "
    "Cmd_Export; shown Frame_NewTool; enabled Tb_ToolName; Tb_ToolName=; RTB_Tool=; selected "
    "Ob_Tip; clear Ob_Extend Ob_Polyg; ElementCount LineCount=0; FaceCount VertexCount=0; "
    "SceneZ=0; focus Tb_ToolName";

const struct {
  const char* Steps;
  std::vector<const char*> Outcome;
} kRows[] = {
    {"load",  // start-up: Step 1 alone; nothing typed into what is hidden, nor picked past the list
     {"hidden Frame_Buttons Frame_Element Frame_ToolData Cmd_Confirm Cmd_Export Cmd_DelAll "
      "Cmd_DelLast Lbl_LengthMin; shown Frame_NewTool Tb_ToolName; enabled Tb_ToolName; "
      "Tb_LengthMin=; Tb_ToolName=; Cb_Extension=TARVO1; Cb_Extension items= TARVO1| M2| M3| M4| "
      "M5|; Cb_Edges=3; Cb_Edges items=3|4|5|6|7|8|9|10|11|12|13|14|15|16|30|; clear Ob_Tip "
      "Ob_Extend Ob_Polyg Ob_Cylinder Ob_Cone Ob_Sphere Cb_Disk; ElementCount LineCount=0; "
      "ElementKind=; ElementOption=; focus Cmd_NewTool"}},
    {"set Tb_Diam '5'", {"focus Cmd_NewTool"}},
    {"pick Cb_Extension 6", {"focus Cmd_NewTool"}},
    {"set Tb_ToolName 'P\t1'; click Cmd_NewTool", {kControlsRefused}},  // a tab in the name
    {"set Tb_ToolName 'P1'; set Cb_Extension 'M2\x7F'; click Cmd_NewTool", {kControlsRefused}},
    {"set Cb_Extension 'TARVO1'; set Tb_ToolName ''; click Cmd_NewTool", {kNameRefused}},
    {"set Tb_ToolName ' '; click Cmd_NewTool", {kNameRefused}},
    {"set Tb_ToolName '  '; click Cmd_NewTool", {kNameRefused}},
    {"set Tb_ToolName '   '; click Cmd_NewTool", {kNameRefused}},
    {"set Tb_ToolName '    '; click Cmd_NewTool", {kNameRefused}},  // four blanks
    {"set Tb_ToolName '     '; click Cmd_NewTool",  // five blanks, then one: a name
     {kNewTool, "RTB_Tool=ITEM:      TARVO1|"}},
    {"click Ob_Polyg", {"selected Ob_Polyg; clear Ob_Tip; focus Ob_Polyg"}},
    {"click Ob_Tip", {"selected Ob_Tip; clear Ob_Polyg; focus Ob_Tip"}},
    {"click Cmd_Add", {kAdd, kCylinder, kAddTip}},  // a tip: cone, cylinder, ball undone, disk
    {"click Ob_Cone", {kCone}},
    {"click Ob_Cone", {kCone}},
    {"set Tb_Height '05'; set Tb_Diam 'abc'; set Tb_Diam2 '-1'; click Cmd_Confirm",
     {kRefused, "message=Please insert a POSITIVE (>0) number for the UPPER DIAMETER; Tb_Height=5; "
                "Tb_Diam=0; focus Tb_Diam"}},
    {"set Tb_Diam '6'; set Tb_Diam2 '2.5'; click Cmd_Confirm",
     {kConfirmed, "hidden Cmd_Export", kCone,
      "RTB_Tool+=cone 0 0 0 6 0 0 -5 2.5|; ElementCount=1; LineCount=5; ElementBottomZ SceneZ=-5; "
      "LastShapeHeight=5"}},
    {"click Ob_Cylinder; set Tb_Height ''; set Tb_Diam 'x'; click Cmd_Confirm",
     {kRefused, "message=Please insert a POSITIVE (>0) number for the HEIGHT; Tb_Height=0; focus "
                "Tb_Height"}},
    {"set Tb_Height '20'; set Tb_Diam '6'; click Cmd_Confirm",
     {kConfirmed, "hidden Cmd_Export", kCylinder,
      "RTB_Tool+=cylinder 0 0 -5 0 0 -25 6|; ElementCount=2; LineCount=6; ElementBottomZ=-25; "
      "SceneZ=-25; LastShapeHeight=20"}},
    {"click Ob_Sphere; click Cb_Disk",  // DISK set, then cleared
     {"selected Cb_Disk; Lbl_ElemType=DISK; Tb_Height=0; shown Lbl_Height Tb_Height",
      "focus Tb_Diam"}},
    {"set Tb_Height '5'; click Cb_Disk",
     {"clear Cb_Disk; Lbl_ElemType=SPHERE; Tb_Height=0; hidden Lbl_Height Tb_Height",
      "focus Tb_Diam"}},
    {"click Cb_Disk; set Tb_Height '5'; click Ob_Sphere", {kBall}},
    {"set Tb_Diam '-3'; click Cmd_Confirm",
     {kRefused, "message=Please insert a POSITIVE (>0) value for the DIAMETER; Tb_Diam=0; focus "
                "Tb_Diam"}},
    {"set Tb_Diam '3'; click Cmd_Confirm",
     {kConfirmed, "shown Cmd_Export", kBall,
      "RTB_Tool+=color 255 0 0|sphere 0 0 -25 3|hotspot 0 0 -25 0 0 1 3 3 ball|; ElementCount=3; "
      "LineCount=9; LastShapeHeight=0"}},
    {"click Cmd_DelLast", {kDeleteLast, "ElementCount=2; LineCount=6; focus Cb_Disk"}},
    {"click Cmd_DelLast", {"focus Cb_Disk"}},  // hidden: it cannot be pressed twice
    {"click Cb_Disk; set Tb_Diam '12'; set Tb_Height '1.2.3'; click Cmd_Confirm",
     {kRefused, "message=Please insert a POSITIVE (>0) number for the HEIGHT; Tb_Height=0; focus "
                "Tb_Height"}},
    {"set Tb_Height '2'; click Cmd_Confirm",
     {kConfirmed, "shown Cmd_Export", kBall,
      "RTB_Tool+=color 255 0 0|cilinder 0 0 -25 0 0 -27 12|hotspot 0 0 -26 0 0 1 12 2 ball|; "
      "ElementCount=3; LineCount=9; ElementBottomZ=-27"}},
    {"click Cmd_Export",
     {kDeleteAll, "usrprobe.dat=ITEM:      TARVO1|begintip|color 142 142 142|ribcount 20|cone 0 0 "
                  "0 6 0 0 -5 2.5|cylinder 0 0 -5 0 0 -25 6|color 255 0 0|cilinder 0 0 -25 0 0 -27 "
                  "12|hotspot 0 0 -26 0 0 1 12 2 ball|endtip||"}},
    {"set Tb_ToolName 'E1'; pick Cb_Extension 2; click Cmd_NewTool",  // an extension
     {kNewTool, "RTB_Tool=ITEM:E1  M2|"}},
    {"click Ob_Extend; click Cmd_Add",
     {kAdd, kCylinder, "hidden Ob_Cone Ob_Sphere Cb_Edges; shown Tb_Diam; LineCount=3; "
                       "RTB_Tool+=color 142 142 142|ribcount 20|"}},
    {"set Tb_Height '30'; set Tb_Diam '8'; click Cmd_Confirm",
     {kConfirmed, "shown Cmd_Export", kCylinder,
      "RTB_Tool+=cylinder 0 0 0 0 0 -30 8|connect 0 0 -30 0 0 1  M2|; ElementCount=1; LineCount=5; "
      "ElementBottomZ=-30; SceneZ=-30; LastShapeHeight=30"}},
    {"click Cmd_DelAll", {kDeleteAll}},
    {"set Tb_ToolName 'P1'; click Cmd_NewTool", {kNewTool, "RTB_Tool=ITEM:P1  M2|"}},  // polygonal
    {"click Ob_Polyg; click Cmd_Add",
     {kAdd, kCylinder, "shown Ob_Cone Ob_Sphere Tb_Diam; hidden Cb_Edges; Ob_Cone=POLYGON; "
                       "Ob_Sphere=2 LEVELS POLYGON; LineCount=3; RTB_Tool+=color 142 142 "
                       "142|ribcount 20|"}},
    {"click Ob_Cone", {kPolygon}},
    {"set Tb_Diam2 '7'; click Ob_Cone", {kPolygon}},
    {"click Ob_Sphere", {kTwoLevels}},
    {"set Tb_Diam2 '7'; set Tb_LengthMin '7'; click Ob_Sphere", {kTwoLevels}},
    {"set Tb_Diam2 '7'; click Ob_Cone", {kPolygon}},
    {"set Cb_Edges '2'; set Tb_Diam2 '10'; set Tb_Height '5'; click Cmd_Confirm",
     {kRefused, "message=Please insert a WHOLE number (>=3) for the NR. OF EDGES; focus Cb_Edges "
                "whole"}},
    {"set Cb_Edges '4'; set Tb_Diam2 '0,0'; click Cmd_Confirm",
     {kRefused, "message=Please insert a POSITIVE (>0) value for the POLYGON EDGE LENGTH; "
                "Tb_Diam2=0; focus Tb_Diam2"}},
    {"set Tb_Diam2 '10'; click Cmd_Confirm",
     {kConfirmed, "shown Cmd_Export", kPolygon,
      "FaceDraw=; ElementCount=1; LineCount=15; ElementBottomZ=-5; SceneZ=-5; LastShapeHeight=5; "
      "FaceCount=6; VertexCount=24"}},
    {"click Ob_Sphere; set Tb_Height '4'; set Tb_Diam2 '9'; set Tb_LengthMin ''; click Cmd_Confirm",
     {kRefused, "message=Please insert a POSITIVE (>0) number for the LOWER POLYGON EDGE; "
                "Tb_LengthMin=0; focus Tb_LengthMin"}},
    {"set Tb_LengthMin '6'; click Cmd_Confirm",
     {kConfirmed, "shown Cmd_Export", kTwoLevels,
      "ElementCount=2; LineCount=25; ElementBottomZ=-9; SceneZ=-9; LastShapeHeight=4; "
      "FaceCount=11; VertexCount=42"}},
    {"click Ob_Cylinder", {kCylinder}},  // then the polygon undone: a cylinder starts in its place
    {"click Cmd_DelLast",
     {kDeleteLast, "focus Ob_Cylinder; ElementCount=1; LineCount=15; ElementBottomZ SceneZ=-5"}},
    {"set Tb_Height '2'; set Tb_Diam '1'; click Cmd_Confirm",
     {kConfirmed, "hidden Cmd_Export", kCylinder,
      "RTB_Tool+=cylinder 0 0 -5 0 0 -7 1|; ElementCount=2; LineCount=16; ElementBottomZ=-7; "
      "SceneZ=-7; LastShapeHeight=2"}},
    {"click Cmd_DelAll", {kDeleteAll}},
    {"set Tb_ToolName 'T2'; click Cmd_NewTool", {kNewTool, "RTB_Tool=ITEM:T2  M2|"}},
    {"click Cmd_Add", {kAdd, kCylinder, kAddTip}},  // a tip after a polygonal tool
    {"set Tb_Diam '12'; focus Tb_Diam", {"focus Tb_Diam caret 2"}},  // the focus it already has
};

std::vector<std::string> Split(const std::string& text, const char* separator) {
  const std::regex pattern(separator);  // "; " or " ", nothing special
  return {std::sregex_token_iterator(text.begin(), text.end(), pattern, -1), {}};
}

using Facts = std::map<std::string, std::string>;

Facts Observe(const testing::EditorFixture& f) {
  const definition::ToolDefinition& t = f.editor.Tool();
  const scene::Scene& s = f.editor.Scene();
  using numbers::IntegerText, numbers::SingleText, numbers::SceneText;
  Facts facts{{"focus", std::string(Row(f.Window().Focus()).Name)},
              {"ElementKind", f.editor.ElementKind()}, {"ElementOption", f.editor.ElementOption()},
              {"ElementCount", IntegerText(t.ElementCount)},
              {"LineCount", IntegerText(t.LineCount)},
              {"SceneZ", SceneText(s.SceneZ)},
              {"ElementBottomZ", SingleText(t.ElementBottomZ, '.')},
              {"LastShapeHeight", SingleText(s.LastShapeHeight, '.')},
              {"FaceCount", IntegerText(s.Mesh.FaceCount)},
              {"VertexCount", IntegerText(s.Mesh.VertexCount)}};
  for (const std::string file : {"usrprobe.dat", "usrprobe_old.dat"})
    facts[file] = f.files.Has("/d/" + file) ? f.files.Read("/d/" + file) : "";
  for (const auto& b : f.messages.Boxes) facts["message"] += b.Text, facts["title"] += b.Title;
  for (const ControlRow& control : kControls) {
    const ControlState& c = f.Window().State(control.Id);
    const std::string name(control.Name);
    facts[name] = c.Text;
    facts[name + " visible"] = c.Visible ? "shown" : "hidden";
    facts[name + " enabled"] = c.Enabled ? "enabled" : "disabled";
    facts[name + " selected"] = c.Selected ? "selected" : "clear";
    for (const std::string& item : c.Items) facts[name + " items"] += item + "\r\n";
    facts[name + " selection"] = IntegerText(c.SelectionStart) + " " +
                                 IntegerText(c.SelectionLength);
  }
  return facts;
}

void Perform(testing::EditorFixture& f, const std::string& step) {
  const std::size_t quote = step.find('\'');
  const std::vector<std::string> words = Split(step.substr(0, quote), " ");
  if (words[0] == "load") return f.editor.Load();
  const ControlId id = FindControl(words[1]).value();
  if (words[0] == "click") return f.editor.Click(id);
  if (words[0] == "focus") return f.editor.FocusByUser(id);
  if (words[0] == "pick") return f.editor.Pick(id, std::stoul(words[2]) - 1);
  ASSERT_TRUE(words[0] == "set" && quote != std::string::npos && step.back() == '\'') << step;
  f.editor.Type(id, step.substr(quote + 1, step.size() - quote - 2));
}

Facts Stated(const std::vector<const char*>& outcome, const Facts& before, const Facts& after) {
  static const std::regex kBar("\\|");
  Facts stated, caretAtStart;
  for (const char* group : outcome) {
    for (const std::string& clause : Split(group, "; ")) {
      const std::vector<std::string> words = Split(clause, " ");
      if (const std::size_t equals = clause.find('='); equals != std::string::npos) {
        const bool grows = clause[equals - 1] == '+';
        std::vector<std::string> keys = Split(clause.substr(0, equals - (grows ? 1 : 0)), " ");
        if (keys.back() == "items") keys = {keys[0] + " items"};
        for (const std::string& key : keys) {
          const std::string text = (grows ? before.at(key) : "") +
                                   std::regex_replace(clause.substr(equals + 1), kBar, "\r\n");
          stated[key] = text;
          if (FindControl(key) && text != before.at(key)) caretAtStart[key + " selection"] = "0 0";
        }
      } else if (words[0] == "focus") {
        stated["focus"] = words[1];
        const std::string whole = "0 " + std::to_string(after.at(words[1]).size());
        if (words.size() > 2 || Row(FindControl(words[1]).value()).Kind == ControlKind::TextBox) {
          const bool caret = words.size() > 2 && words[2] == "caret";
          stated[words[1] + " selection"] = caret ? words[3] + " 0" : whole;
        }
      } else {
        const std::string fact = words[0] == "shown" || words[0] == "hidden" ? " visible"
                                 : words[0].ends_with("abled")              ? " enabled"
                                                                            : " selected";
        for (std::size_t i = 1; i < words.size(); ++i) stated[words[i] + fact] = words[0];
      }
    }
  }
  stated.merge(caretAtStart);
  return stated;
}

TEST(WindowRules, EveryActionLeavesWhatTheRulesList) {
  testing::EditorFixture f("/d", false);
  for (std::size_t row = 0; row < std::size(kRows); ++row) {
    SCOPED_TRACE("row " + std::to_string(row + 1) + ": " + kRows[row].Steps);
    const std::vector<std::string> steps = Split(kRows[row].Steps, "; ");
    for (std::size_t i = 0; i + 1 < steps.size(); ++i) Perform(f, steps[i]);
    f.messages.Boxes.clear();
    const Facts before = Observe(f);
    Perform(f, steps.back());
    const Facts after = Observe(f);
    Facts stated = Stated(kRows[row].Outcome, before, after);
    EXPECT_TRUE(stated.contains("focus")) << "every row names the focus";
    stated.emplace("RTB_Tool", f.editor.Tool().Text());  // the pane shows the tool's lines
    for (const auto& [key, value] : stated) EXPECT_TRUE(after.contains(key)) << "no " << key;
    for (const auto& [key, value] : after) {
      const auto it = stated.find(key);
      EXPECT_EQ(value, it == stated.end() ? before.at(key) : it->second)
          << key << (it == stated.end() ? ", which the row does not name" : "");
    }
  }
}

}  // namespace
}  // namespace tarvo::editor
