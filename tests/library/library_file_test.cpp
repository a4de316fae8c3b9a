// Reading usrprobe.dat as tools: blocks, line ends, fields and problems.
#include "library/library_file.h"

#include <gtest/gtest.h>

#include <regex>

#include "library/tool_selection.h"

namespace tarvo::library {
namespace {

std::string Crlf(const std::string& text) { return std::regex_replace(text, std::regex("\n"), "\r\n"); }

const std::string kTip = "ITEM:ST1 TARVO1\nbegintip\ncolor 142 142 142\nribcount 20\n"
                         "cylinder 0 0 0 0 0 -20 6\ncolor 255 0 0\nsphere 0 0 -20 3\n"
                         "hotspot 0 0 -20 0 0 1 3 3 ball\nendtip\n\n";
const std::string kExtension = "ITEM:EX1  M3\ncylinder 0 0 0 0 0 -30 8\nconnect 0 0 -30 0 0 1  M3\n\n";
const std::string kCommaDisk = "ITEM:D1 TARVO1\nbegintip\ncylinder 0 0 0 0 0 -10,5 6,5\n"
                               "cilinder 0 0 -10,5 0 0 -12,5 12\nhotspot 0 0 -11,5 0 0 1 12 2 ball\nendtip\n\n";
const std::string kPolygon = "ITEM:P1 TARVO1\nsolid 8\nface 3 5 0 0 0 5 0 0 0 -10\nconnect 0 0 -10 0 0 1 TARVO1\n\n";

// LF, CR LF and CR read alike; check names each other kind of line end at its first line.
TEST(ReadLibrary, ListsEveryToolWhateverTheLineEnds) {
  const std::string expected = "1\tST1\tTARVO1\ttip\t2\t20\tball 3\n2\tEX1\tM3\textension\t1\t30\t-\n"
                               "3\tD1\tTARVO1\ttip\t2\t11.5\tdisk 12\n4\tP1\tTARVO1\tpolygonal\t1\t10\t-\n";
  const std::string lf = kTip + kExtension + kCommaDisk + kPolygon;
  const auto cr = [](const std::string& text) { return std::regex_replace(text, std::regex("\n"), "\r"); };
  const std::string lfAlone = "the line ends in LF alone, not CR LF (the first such line of the file)\n";
  const std::string crAlone = "the line ends in CR alone, not CR LF (the first such line of the file)\n";
  const std::pair<std::string, std::string> rows[] = {
      {Crlf(lf), ""},
      {lf, "1\tST1\t1\t" + lfAlone},
      {cr(lf), "1\tST1\t1\t" + crAlone},
      {Crlf(kTip) + kExtension + Crlf(kCommaDisk) + cr(kPolygon), "2\tEX1\t11\t" + lfAlone + "4\tP1\t22\t" + crAlone},
      {"; written by hand\r\n\r\n" + Crlf(lf), ""},
      {"; by hand\r\r" + Crlf(lf) + "\n", "1\tST1\t1\t" + crAlone + "4\tP1\t29\t" + lfAlone}};
  for (const auto& [file, problems] : rows) {
    SCOPED_TRACE(file);
    const Library library = ReadLibrary(file);
    std::string lines, blocks, checked;
    for (const Tool& tool : library.Tools) lines += ListLine(tool), checked += CheckLines(tool), blocks += library.Block(tool);
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(checked, problems);
    EXPECT_EQ(blocks, file.substr(file.find("ITEM:")));
    EXPECT_EQ(library.Tools[1].CrLfOnly, file.find("EX1  M3\r\n") != std::string::npos);
  }
}

TEST(ReadLibrary, ReportsEachProblemWithItsLine) {
  const std::pair<std::string, std::string> rows[] = {  // the lines after "ITEM:A B" on line 2
      {"box 1\n\n", "1\tA\t3\tunknown keyword \"box\"\n"},
      {"cylinder 0 0 0 0 0 -5\n\n", "1\tA\t3\twrong number of fields after cylinder: 6 (7 expected)\n"},
      {"cylinder 0 0 0 0 0 -5x 6\n\n", "1\tA\t3\tthe number \"-5x\" cannot be read\n"},
      {"begintip\ncolor 255 0 0\nsphere 0 0 0 3\nhotspot 0 0 0 0 0 1 3 3 ball\n\n", "1\tA\t2\tthe tip has no endtip line\n"},
      {"cylinder 0 0 0 0 0 -5 6\nendtip\n\n", "1\tA\t4\tendtip in a tool that is not a tip\n"},
      {"color 142 142 142\nbegintip\nendtip\n\n", "1\tA\t4\tbegintip is not directly after the ITEM line\n"},
      {"cylinder 0 0 0 0 0 -5 6\ncylinder 0 0 -5.5 0 0 -8 6\n\n", "1\tA\t4\ta gap of 0.5 above the element\n"},
      {"cylinder 0 0 -0.002 0 0 -5 6\ncone 0 0 -4 6 0 0 -8 2\n\n",
       "1\tA\t3\ta gap of 0.002 above the element\n1\tA\t4\tan overlap of 1 with the element above\n"},
      {"cylinder 0 0 0 0 0 -5 6\ncylinder 0 0 -5.001 0 0 -8 6\n\n", ""},
      {"cylinder 0 0 0 0 0 -5 6\n\nITEM:A C\ncylinder 0 0 0 0 0 -5 6\n\n", "2\tA\t5\tthe name \"A\" is used by tool 1\n"},
      {"cylinder 0 0 0 0 0 -5 6\n\nITEM: A  C\ncylinder 0 0 0 0 0 -5 6\n\n",  // as a reader sees it: A
       "2\t A\t5\tthe name has blanks at its ends\n2\t A\t5\tthe name \" A\" is used by tool 1\n"},
      {"cylinder 0 0 0 0 0 -5 6\nITEM:C B\ncylinder 0 0 0 0 0 -5 6",
       "1\tA\t3\tthe tool is not followed by an empty line\n2\tC\t5\tthe tool is not followed by an empty line\n"},
  };
  for (const auto& [lines, problems] : rows) {
    std::string found;
    for (const Tool& tool : ReadLibrary(Crlf("; by hand\nITEM:A B\n" + lines)).Tools) found += CheckLines(tool);
    EXPECT_EQ(found, problems) << lines;
  }
}

// Names compare without the blanks at their ends: the third tool is " ST1".
TEST(SelectTool, NamesAsReadAndByPosition) {
  const Library library = ReadLibrary(kTip + kExtension + "ITEM: ST1 " + kTip.substr(8));
  const struct { const char* Name; std::optional<int> Position; int Found; const char* Error; } rows[] = {
      {"EX1", std::nullopt, 2, ""},
      {"EX", std::nullopt, 0, "no tool named \"EX\"; the tools are: ST1, EX1,  ST1"},
      {"ST1", std::nullopt, 0, "several tools are named \"ST1\", at positions 1, 3: choose one with --index K"},
      {"ST1", 3, 3, ""},
      {" ST1 ", 1, 1, ""},
      {"ST1", 2, 0, "tool 2 is named \"EX1\", not \"ST1\""},
      {"ST1", 4, 0, "there is no tool 4: usrprobe.dat holds 3 tools"},
  };
  for (const auto& row : rows) {
    const ToolSelection selection = SelectTool(library, row.Name, row.Position);
    EXPECT_EQ(selection.Found == nullptr ? 0 : selection.Found->Position, row.Found) << row.Name;
    EXPECT_EQ(selection.Error, row.Error);
  }
}

}  // namespace
}  // namespace tarvo::library
