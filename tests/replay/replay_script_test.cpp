#include "script/replay_script.h"

#include <gtest/gtest.h>

#include <tuple>

#include "testing/replay_editor.h"

namespace tarvo::replay {
namespace {

// The status of `script` run on a fresh editor whose file `failingPath` cannot be written,
// with what it wrote to standard output and standard error.
std::tuple<int, std::string, std::string> Replay(std::string_view script,
                                                 const char* failingPath = "") {
  tarvo::testing::MemoryFileSystem files;
  files.FailingPaths.insert(failingPath);
  tarvo::testing::ReplayEditor replay(files);
  const int status = replay.Run(script);
  return {status, replay.output.str(), replay.errors.str()};
}

// Script errors stop with status 2, failed expectations with 1; the error names the line.
TEST(RunScript, StatusAndErrorOfEachScript) {
  // A tip with one cylinder, in seven lines.
  const std::string kTip =
      "set Tb_ToolName T\nclick Cmd_NewTool\nclick Cmd_Add\nset Tb_Diam 6\nset Tb_Height 20\n"
      "click Cmd_Confirm\nexpect no-message\n";
  const struct {
    std::string Script;
    int Status;
    const char* Error;  // after "s.txt:"
  } rows[] = {
      {"click Cmd_Add\n", kScriptError, "1: Cmd_Add is hidden"},
      {"\n# a comment\r\nfly Cmd_Add\n", kScriptError, "3: unknown command \"fly\""},
      {"click Ob_Ext\n", kScriptError, "1: unknown control Ob_Ext, the nearest is Ob_Extend"},
      {"set tb_diam2 4\n", kScriptError, "1: unknown control tb_diam2, the nearest is Tb_Diam2"},
      {"click Cmd_Exprot\n", kScriptError, "1: unknown control Cmd_Exprot, the nearest is Cmd_Export"},
      {"click Lbl_ToolName\n", kScriptError, "1: cannot click Lbl_ToolName"},
      {"pick Cb_Extension 6\n", kScriptError, "1: no item \"6\" in the list of Cb_Extension"},
      {"pick Cb_Extension 0\n", kScriptError, "1: no item \"0\" in the list of Cb_Extension"},
      {"pick Tb_Diam 1\n", kScriptError, "1: Tb_Diam has no list"},
      {"set Tb_ToolName A\r\nclick Cmd_NewTool\r\nset Tb_ToolName B\r\n", kScriptError,
       "3: Tb_ToolName is hidden"},
      {"expect Cmd_Exit shiny\n", kScriptError, "1: unknown expectation \"shiny\""},
      {"expect Cmd_Exit selected\n", kScriptError, "1: Cmd_Exit cannot be selected"},
      {"click\n", kScriptError, "1: a control name is missing"},
      {"expect Cmd_Exit enabled \n", kScriptError, "1: a blank after \"enabled\" ends the line"},
      {"expect no-message \n", kScriptError, "1: a blank after \"no-message\" ends the line"},
      {"expect FaceDraw hidden x\n", kScriptError, "1: unexpected text after \"hidden\""},
      {"set FaceDraw x\n", kScriptError, "1: cannot type into FaceDraw"},
      {"expect Tb_ToolName disabled\n", kExpectationFailed,
       "1: expected Tb_ToolName disabled, found enabled"},
      {"expect Cb_Extension text TARVO2\n", kExpectationFailed,
       "1: expected Cb_Extension text \"TARVO2\", found \"TARVO1\""},
      {"expect Cb_Extension text TARVO1 \n", kExpectationFailed,
       "1: expected Cb_Extension text \"TARVO1 \", found \"TARVO1\""},
      {"expect FaceDraw visible\n", kExpectationFailed,
       "1: expected FaceDraw visible, found hidden"},
      {"expect focus Cmd_Exit\n", kExpectationFailed,
       "1: expected focus Cmd_Exit, found Cmd_NewTool"},
      {"expect message Hello\n", kExpectationFailed, "1: expected message \"Hello\", found none"},
      {"pick Cb_Extension 5\nexpect Cb_Extension text TARVO1\n", kExpectationFailed,
       "2: expected Cb_Extension text \"TARVO1\", found \" M5\""},
      {"click Cmd_NewTool\nexpect no-message\n", kExpectationFailed,
       "2: expected no message, found \"Please insert a NAME for the new tool\""},
      {"click Cmd_Exit\nthis line is never read\n", kOk, ""},
      // The history's lines: what cannot be performed is a script error.
      {"undo\n", kScriptError, "1: nothing to undo"},
      {"redo \n", kScriptError, "1: a blank after \"redo\" ends the line"},
      {"change-element 1\n", kScriptError, "1: no element 1"},
      {kTip + "change-element 0\n", kScriptError, "8: change-element needs an element number from 1, not \"0\""},
      {kTip + "remove-element 2\n", kScriptError, "8: no element 2"},
      {kTip + "insert-element 3 cone\n", kScriptError, "8: no element 3 to insert above"},
      {kTip + "insert-element 1 polygon\n", kScriptError, "8: this kind of tool offers no polygon"},
      {kTip + "insert-element 1 ball\n", kScriptError, "8: unknown element type \"ball\""},
      {kTip + "change-element 1\nclick Cmd_Confirm\n", kScriptError, "9: Cmd_Confirm is not in the element dialog"},
      {kTip + "change-element 1\nundo\n", kScriptError, "9: the element dialog is open: only its fields, Ok and Cancel"},
      {kTip + "change-element 1\nset Tb_Diam2 4\n", kScriptError, "9: Tb_Diam2 is hidden"},
      {kTip + "change-element 1\nexpect focus Tb_Diam\nexpect Lbl_ElemType text CYLINDER\n"
              "set Tb_Diam 0\nclick Ok\nexpect focus Tb_Diam\nexpect message Please insert a POSITIVE (>0) value "
              "for the DIAMETER\nclick Cancel\nexpect Cmd_Export hidden\nundo\nundo\nredo\nredo\nredo\n",
       kScriptError, "21: nothing to redo"},
  };
  for (const auto& row : rows) {
    const auto [status, out, err] = Replay(row.Script);
    EXPECT_EQ(status, row.Status) << row.Script;
    EXPECT_EQ(err, *row.Error ? "s.txt:" + std::string(row.Error) + "\n" : "") << row.Script;
  }
}

TEST(RunScript, OutputOfEachScript) {
  struct Row {
    std::string Script;
    int Status;
    std::string Out;
    const char* FailingPath = "";
  };
  const Row rows[] = {
      {"expect Frame_NewTool visible\n", kFileFailed,
       "message: The preview file cannot be written: /d/Taster.wrl: Is a directory\n",
       "/d/Taster.wrl"},
      // set takes everything after one blank
      {"set Tb_ToolName  a  b \nexpect Tb_ToolName text  a  b \nset Tb_ToolName\n"
       "expect Tb_ToolName text\nset Tb_ToolName x\nprint Tb_ToolName\n",
       kOk, "x\n"},
      // FaceDraw is a hidden text box that a polygon empties
      {"expect FaceDraw hidden\nexpect FaceDraw text Text1\nprint FaceDraw\n"
       "set Tb_ToolName P\nclick Cmd_NewTool\nclick Ob_Polyg\nclick Cmd_Add\nclick Ob_Cone\n"
       "set Cb_Edges 6\nset Tb_Diam2 5\nset Tb_Height 12\nclick Cmd_Confirm\nexpect no-message\n"
       "expect FaceDraw hidden\nexpect FaceDraw text\nprint FaceDraw\n",
       kOk, "Text1\n\n"},
  };
  for (const Row& row : rows) {
    const auto [status, out, err] = Replay(row.Script, row.FailingPath);
    EXPECT_EQ(status, row.Status) << row.Script << err;
    EXPECT_EQ(out, row.Out) << row.Script;
  }
}

}  // namespace
}  // namespace tarvo::replay
