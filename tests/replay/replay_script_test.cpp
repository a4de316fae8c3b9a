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

ReplayRun Replay(std::string_view script, tarvo::testing::MemoryFileSystem& files) {
  tarvo::testing::RecordingSceneView view;
  numbers::FixedLocaleQuery locale(std::string("."));
  std::ostringstream out;
  std::ostringstream err;
  ReplayMessages messages(out);
  editor::Editor editor("/d", files, view, messages, locale);
  editor.Load();
  const int status = RunScript("s.txt", script, editor, messages, out, err);
  return {status, out.str(), err.str()};
}

ReplayRun Replay(std::string_view script) {
  tarvo::testing::MemoryFileSystem files;
  return Replay(script, files);
}

TEST(RunScript, ScriptErrorsStopWithStatusTwo) {
  const struct {
    const char* Script;
    const char* Error;
  } rows[] = {
      {"click Cmd_Add\n", "s.txt:1: Cmd_Add is hidden\n"},
      {"\n# a comment\r\nfly Cmd_Add\n", "s.txt:3: unknown command \"fly\"\n"},
      {"click Cmd_Nothing\n", "s.txt:1: unknown control Cmd_Nothing\n"},
      {"click Lbl_ToolName\n", "s.txt:1: cannot click Lbl_ToolName\n"},
      {"set RTB_Tool x\n", "s.txt:1: cannot type into RTB_Tool\n"},
      {"pick Cb_Extension 6\n", "s.txt:1: no item \"6\" in the list of Cb_Extension\n"},
      {"pick Cb_Extension 0\n", "s.txt:1: no item \"0\" in the list of Cb_Extension\n"},
      {"pick Tb_Diam 1\n", "s.txt:1: Tb_Diam has no list\n"},
      {"set Tb_ToolName A\r\nclick Cmd_NewTool\r\nset Tb_ToolName B\r\n", "s.txt:3: Tb_ToolName is hidden\n"},
      {"expect Cmd_Exit shiny\n", "s.txt:1: unknown expectation \"shiny\"\n"},
      {"expect Cmd_Exit selected\n", "s.txt:1: Cmd_Exit cannot be selected\n"},
      {"click\n", "s.txt:1: a control name is missing\n"},
      {"expect Cmd_Exit enabled \n", "s.txt:1: a blank after \"enabled\" ends the line\n"},
      {"expect no-message \n", "s.txt:1: a blank after \"no-message\" ends the line\n"},
      {"expect Ob_Tip unselected \n", "s.txt:1: a blank after \"unselected\" ends the line\n"},
      {"expect FaceDraw hidden x\n", "s.txt:1: unexpected text after \"hidden\"\n"},
      {"set FaceDraw x\n", "s.txt:1: cannot type into FaceDraw\n"},
  };
  for (const auto& row : rows) {
    const ReplayRun run = Replay(row.Script);
    EXPECT_EQ(run.Status, kScriptError) << row.Script;
    EXPECT_EQ(run.Err, row.Error) << row.Script;
  }
}

TEST(RunScript, FailedExpectationsStopWithStatusOne) {
  const struct {
    const char* Script;
    const char* Error;
  } rows[] = {
      {"expect Cmd_Add visible\n", "s.txt:1: expected Cmd_Add visible, found hidden\n"},
      {"expect Tb_ToolName disabled\n", "s.txt:1: expected Tb_ToolName disabled, found enabled\n"},
      {"expect Cb_Extension text TARVO2\n",
       "s.txt:1: expected Cb_Extension text \"TARVO2\", found \"TARVO1\"\n"},
      {"expect Cb_Extension text TARVO1 \n",
       "s.txt:1: expected Cb_Extension text \"TARVO1 \", found \"TARVO1\"\n"},
      {"expect FaceDraw visible\n", "s.txt:1: expected FaceDraw visible, found hidden\n"},
      {"expect focus Cmd_Exit\n", "s.txt:1: expected focus Cmd_Exit, found Cmd_NewTool\n"},
      {"expect message Hello\n", "s.txt:1: expected message \"Hello\", found none\n"},
      {"pick Cb_Extension 5\nexpect Cb_Extension text TARVO1\n",
       "s.txt:2: expected Cb_Extension text \"TARVO1\", found \" M5\"\n"},
      {"click Cmd_NewTool\nexpect no-message\n",
       "s.txt:2: expected no message, found \"Please insert a NAME for the new tool\"\n"},
  };
  for (const auto& row : rows) {
    const ReplayRun run = Replay(row.Script);
    EXPECT_EQ(run.Status, kExpectationFailed) << row.Script;
    EXPECT_EQ(run.Err, row.Error) << row.Script;
  }
}

TEST(RunScript, ExitEndsTheRunAtOnce) {
  const ReplayRun run = Replay("click Cmd_Exit\nthis line is never read\n");
  EXPECT_EQ(run.Status, kOk);
  EXPECT_EQ(run.Err, "");
}

TEST(RunScript, AFailedFileOperationEndsWithStatusThree) {
  tarvo::testing::MemoryFileSystem files;
  files.FailingPaths.insert("/d/Taster.wrl");
  const ReplayRun run = Replay("expect Frame_NewTool visible\n", files);
  EXPECT_EQ(run.Status, kFileFailed);
  EXPECT_EQ(run.Out, "message: The preview file cannot be written: /d/Taster.wrl: Is a directory\n");
}

TEST(RunScript, SetTakesEverythingAfterOneBlank) {
  const ReplayRun run = Replay(
      "set Tb_ToolName  a  b \nexpect Tb_ToolName text  a  b \nset Tb_ToolName\n"
      "expect Tb_ToolName text\nset Tb_ToolName x\nprint Tb_ToolName\n");
  EXPECT_EQ(run.Status, kOk) << run.Err;
  EXPECT_EQ(run.Out, "x\n");
}

TEST(RunScript, FaceDrawIsAHiddenTextBoxThatAPolygonEmpties) {
  const ReplayRun run = Replay(
      "expect FaceDraw hidden\nexpect FaceDraw text Text1\nprint FaceDraw\n"
      "set Tb_ToolName P\nclick Cmd_NewTool\nclick Ob_Polyg\nclick Cmd_Add\nclick Ob_Cone\n"
      "set Cb_Edges 6\nset Tb_Diam2 5\nset Tb_Height 12\nclick Cmd_Confirm\nexpect no-message\n"
      "expect FaceDraw hidden\nexpect FaceDraw text\nprint FaceDraw\n");
  EXPECT_EQ(run.Status, kOk) << run.Err;
  EXPECT_EQ(run.Out, "Text1\n\n");
}

TEST(RunScript, NewToolRefusesControlCharactersInTheNameAndTheConnectionType) {
  for (const char* field : {"Tb_ToolName", "Cb_Extension"}) {
    for (const char* character : {"\r", "\t", "\x7f"}) {
      const std::string script = "set Tb_ToolName T1\nset " + std::string(field) + " A" +
                                 character +
                                 "B\nclick Cmd_NewTool\nexpect Frame_NewTool visible\n"
                                 "expect Tb_ToolName enabled\nexpect RTB_Tool text\n";
      const ReplayRun run = Replay(script);
      EXPECT_EQ(run.Status, kOk) << script << run.Err;
      EXPECT_EQ(run.Out,
                "message: Please remove tabs and line breaks from the NAME and the EXTENSION\n")
          << script;
    }
  }
}

}  // namespace
}  // namespace tarvo::replay
