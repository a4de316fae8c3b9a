#include "library/probe_file.h"

#include <gtest/gtest.h>

#include "scene/memory_file_system.h"

namespace tarvo::library {
namespace {

// Comments, both line ends, lines that cannot be read, a last line without
// its end: every byte comes back, and the readable profiles work.
const std::string kFile =
    "# shop probes\r\nsmall\t0.08\t15.5\t-\r\n\r\nbig one \t 0.3 \t-\t12.5\nsmall\t0.1\t-\t-\r\n"
    "bad force\t0\t-\t-\nbad length\t0.1\tlong\t-\nbad mass\t0.1\t-\t-2\n\t0.1\t-\t-\nfive\t1\t2\t3\t4";

TEST(ProbeFile, KeepsEveryByteAndReportsEachLineThatCannotBeRead) {
  const ProbeFile file = ReadProbes(kFile);
  EXPECT_EQ(ProbeBytes(file), kFile);
  const std::vector<sheet::ProbeProfile> profiles = file.Profiles();
  ASSERT_EQ(profiles.size(), 2u);
  EXPECT_EQ(ProbeLineText(profiles[0]), "small\t0.08\t15.5\t-");
  EXPECT_EQ(ProbeLineText(profiles[1]), "big one\t0.3\t-\t12.5");
  EXPECT_EQ(file.Find("big one")->MaxMass, 12.5);
  EXPECT_EQ(file.Find("none"), nullptr);
  EXPECT_EQ(file.Problems(), (std::vector<std::string>{
                                 "line 5: a probe named small is already there",
                                 "line 6: the force must be a number above 0",
                                 "line 7: the length limit must be a number above 0 or -",
                                 "line 8: the mass limit must be a number above 0 or -",
                                 "line 9: the probe has no name",
                                 "line 10: NAME<TAB>force<TAB>max length or -<TAB>max mass or - expected",
                             }));
}

TEST(ProbeFile, ChangesOnlyTheProfilesLinesAndGivesANewOneTheFilesLineEnd) {
  ProbeFile file = ReadProbes(kFile);
  SetProbe(file, {"small", 0.05, 20, 3}, "small");
  SetProbe(file, {"new", 1, std::nullopt, std::nullopt});
  RemoveProbe(file, "big one");
  std::string expected = kFile;
  expected.replace(expected.find("small\t0.08\t15.5\t-"), 17, "small\t0.05\t20\t3");
  expected.erase(expected.find("big one "), 22);
  EXPECT_EQ(ProbeBytes(file), expected + "\r\nnew\t1\t-\t-\r\n");
  EXPECT_EQ(ReadProbes("").Lines.size(), 0u);
  ProbeFile fresh;
  SetProbe(fresh, {"a", 0.1, std::nullopt, std::nullopt});
  EXPECT_EQ(ProbeBytes(fresh), "a\t0.1\t-\t-\n");
}

TEST(ProbeFile, RefusesAProfileThatWouldNotReadBack) {
  const ProbeFile file = ReadProbes(kFile);
  const char* badName = "a probe's name may not hold a tab, begin with # or begin or end with a blank";
  const std::pair<sheet::ProbeProfile, const char*> cases[] = {
      {{"small", 0.1, std::nullopt, std::nullopt}, "a probe named small is already there"},
      {{"tab\there", 0.1, std::nullopt, std::nullopt}, badName},
      {{"#1", 0.1, std::nullopt, std::nullopt}, badName},
      {{" x", 0.1, std::nullopt, std::nullopt}, badName},
      {{"", 0.1, std::nullopt, std::nullopt}, "the probe has no name"},
      {{"x", 0, std::nullopt, std::nullopt}, "the force must be a number above 0"},
      {{"x", 0.1, 0.00001, std::nullopt}, "the length limit must be a number above 0 or -"},
  };
  for (const auto& [probe, problem] : cases) EXPECT_EQ(ProbeProblem(file, probe).value_or("none"), problem) << probe.Name;
  EXPECT_FALSE(ProbeProblem(file, {"small", 0.2, 5, 5}, "small"));
}

TEST(ProbeFile, IsWrittenWholeAndAMissingOneHoldsNoProbe) {
  scene::MemoryFileSystem files;
  ProbeFile file = ReadProbes("x\t1\t-\t-\n");
  ASSERT_TRUE(LoadProbes(files, "data", file).IsOk());
  EXPECT_TRUE(file.Lines.empty());
  SetProbe(file, {"a", 0.1, 5, std::nullopt});
  ASSERT_TRUE(SaveProbes(files, "data", file).IsOk());
  ProbeFile back;
  ASSERT_TRUE(LoadProbes(files, "data", back).IsOk());
  EXPECT_EQ(ProbeBytes(back), "a\t0.1\t5\t-\n");
}

}  // namespace
}  // namespace tarvo::library
