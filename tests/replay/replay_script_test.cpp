#include "app/replay/replay_script.h"

#include <gtest/gtest.h>

#include <sstream>

#include "testing/memory_file_system.h"

namespace tarvo::replay {
namespace {

struct ReplayRun {
  int Status = 0;
  std::string Out;
  std::string Err;
};

ReplayRun Replay(std::string_view script, const char* failingPath = nullptr) {
  tarvo::testing::MemoryFileSystem files;
  if (failingPath) files.FailingPaths.insert(failingPath);
  tarvo::testing::RecordingSceneView view;
  numbers::FixedLocaleQuery locale(std::string("."));
  std::ostringstream out, err;
  ReplayMessages messages(out);
  editor::Editor editor("/d", files, view, messages, locale);
  editor.Load();
  const int status = RunScript("s.txt", script, editor, messages, out, err);
  return {status, out.str(), err.str()};
}

// Script errors stop with status 2, failed expectations with 1.
TEST(RunScript, StatusAndErrorOfEachScript) {
  const struct {
    const char* Script;
    int Status;
    const char* Error;
  } rows[] = {
      {"click Cmd_Add\n", kScriptError, "s.txt:1: Cmd_Add is hidden\n"},
      {"\n# a comment\r\nfly Cmd_Add\n", kScriptError, "s.txt:3: unknown command \"fly\"\n"},
      {"click Cmd_Nothing\n", kScriptError, "s.txt:1: unknown control Cmd_Nothing\n"},
      {"click Lbl_ToolName\n", kScriptError, "s.txt:1: cannot click Lbl_ToolName\n"},
      {"set RTB_Tool x\n", kScriptError, "s.txt:1: cannot type into RTB_Tool\n"},
      {"pick Cb_Extension 6\n", kScriptError, "s.txt:1: no item \"6\" in the list of Cb_Extension\n"},
      {"pick Cb_Extension 0\n", kScriptError, "s.txt:1: no item \"0\" in the list of Cb_Extension\n"},
      {"pick Tb_Diam 1\n", kScriptError, "s.txt:1: Tb_Diam has no list\n"},
      {"set Tb_ToolName A\r\nclick Cmd_NewTool\r\nset Tb_ToolName B\r\n", kScriptError,
       "s.txt:3: Tb_ToolName is hidden\n"},
      {"expect Cmd_Exit shiny\n", kScriptError, "s.txt:1: unknown expectation \"shiny\"\n"},
      {"expect Cmd_Exit selected\n", kScriptError, "s.txt:1: Cmd_Exit cannot be selected\n"},
      {"click\n", kScriptError, "s.txt:1: a control name is missing\n"},
      {"expect Cmd_Exit enabled \n", kScriptError, "s.txt:1: a blank after \"enabled\" ends the line\n"},
      {"expect no-message \n", kScriptError, "s.txt:1: a blank after \"no-message\" ends the line\n"},
      {"expect Ob_Tip unselected \n", kScriptError, "s.txt:1: a blank after \"unselected\" ends the line\n"},
      {"expect FaceDraw hidden x\n", kScriptError, "s.txt:1: unexpected text after \"hidden\"\n"},
      {"set FaceDraw x\n", kScriptError, "s.txt:1: cannot type into FaceDraw\n"},
      {"expect Cmd_Add visible\n", kExpectationFailed, "s.txt:1: expected Cmd_Add visible, found hidden\n"},
      {"expect Tb_ToolName disabled\n", kExpectationFailed,
       "s.txt:1: expected Tb_ToolName disabled, found enabled\n"},
      {"expect Cb_Extension text TARVO2\n", kExpectationFailed,
       "s.txt:1: expected Cb_Extension text \"TARVO2\", found \"TARVO1\"\n"},
      {"expect Cb_Extension text TARVO1 \n", kExpectationFailed,
       "s.txt:1: expected Cb_Extension text \"TARVO1 \", found \"TARVO1\"\n"},
      {"expect FaceDraw visible\n", kExpectationFailed, "s.txt:1: expected FaceDraw visible, found hidden\n"},
      {"expect focus Cmd_Exit\n", kExpectationFailed, "s.txt:1: expected focus Cmd_Exit, found Cmd_NewTool\n"},
      {"expect message Hello\n", kExpectationFailed, "s.txt:1: expected message \"Hello\", found none\n"},
      {"pick Cb_Extension 5\nexpect Cb_Extension text TARVO1\n", kExpectationFailed,
       "s.txt:2: expected Cb_Extension text \"TARVO1\", found \" M5\"\n"},
      {"click Cmd_NewTool\nexpect no-message\n", kExpectationFailed,
       "s.txt:2: expected no message, found \"Please insert a NAME for the new tool\"\n"},
      {"click Cmd_Exit\nthis line is never read\n", kOk, ""},
  };
  for (const auto& row : rows) {
    const ReplayRun run = Replay(row.Script);
    EXPECT_EQ(run.Status, row.Status) << row.Script;
    EXPECT_EQ(run.Err, row.Error) << row.Script;
  }
}

TEST(RunScript, OutputOfEachScript) {
  const char* const kControlsMessage = "message: Please remove tabs and line breaks from the NAME and the EXTENSION\n";
  struct Row {
    std::string Script;
    int Status;
    std::string Out;
    const char* FailingPath = nullptr;
  };
  std::vector<Row> rows = {
      {"expect Frame_NewTool visible\n", kFileFailed,
       "message: The preview file cannot be written: /d/Taster.wrl: Is a directory\n", "/d/Taster.wrl"},
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
  for (const char* field : {"Tb_ToolName", "Cb_Extension"}) {
    for (const char* character : {"\r", "\t", "\x7f"}) {
      rows.push_back({"set Tb_ToolName T1\nset " + std::string(field) + " A" + character +
                          "B\nclick Cmd_NewTool\nexpect Frame_NewTool visible\n"
                          "expect Tb_ToolName enabled\nexpect RTB_Tool text\n",
                      kOk, kControlsMessage});
    }
  }
  for (const Row& row : rows) {
    const ReplayRun run = Replay(row.Script, row.FailingPath);
    EXPECT_EQ(run.Status, row.Status) << row.Script << run.Err;
    EXPECT_EQ(run.Out, row.Out) << row.Script;
  }
}

}  // namespace
}  // namespace tarvo::replay
