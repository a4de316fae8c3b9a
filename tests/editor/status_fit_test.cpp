#include "editor/status_fit.h"

#include <gtest/gtest.h>

#include "editor/notice_log.h"

namespace tarvo::editor {
namespace {

// One unit per character, as a fixed-width font measures.
int Characters(std::string_view text) {
  int count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

const StatusParts kParts{{"Size notice one", "Second notice"}, "Elements 3 of 50", "/home/user/TARVO Tools"};

// The figures always whole; the notices cut at their end, the folder at its
// start, never past the width while the figures leave room.
TEST(StatusFit, KeepsTheFiguresAndCutsTheRest) {
  const std::pair<int, const char*> cases[] = {
      {200, "Size notice one | Second notice | Elements 3 of 50 | /home/user/TARVO Tools"},
      {74, "Size notice one | Second noti\u2026 | Elements 3 of 50 | /home/user/TARVO Tools"},
      {50, "Size notice o\u2026 | Elements 3 of 50 | \u2026r/TARVO Tools"},
      {40, "Size not\u2026 | Elements 3 of 50 | \u2026VO Tools"},
      {10, "\u2026 | Elements 3 of 50 | \u2026"},
  };
  for (const auto& [width, shown] : cases) {
    const std::string line = FitStatusLine(kParts, width, Characters);
    EXPECT_EQ(line, shown) << width;
    if (width >= 40) {
      EXPECT_LE(Characters(line), width) << width;
    }
  }
  const StatusParts quiet{{}, "Elements 0 of 50", "/home/user/TARVO Tools"};
  EXPECT_EQ(FitStatusLine(quiet, 30, Characters), "Elements 0 of 50 | \u2026ARVO Tools");
  EXPECT_EQ(kParts.Whole(), "Size notice one | Second notice | Elements 3 of 50 | /home/user/TARVO Tools");
}

TEST(StatusFit, CutsWholeCharacters) {
  EXPECT_EQ(CutAtEnd("\u00D8\u00D8\u00D8\u00D8", 3, Characters), "\u00D8\u00D8\u2026");
  EXPECT_EQ(CutAtStart("\u00D8\u00D8\u00D8\u00D8", 3, Characters), "\u2026\u00D8\u00D8");
  EXPECT_EQ(CutAtEnd("abc", 3, Characters), "abc");
}

// Passing notices each time they show; standing ones once as they appear.
TEST(StatusFit, LogsNoticesNewestFirst) {
  NoticeLog log;
  log.Standing({"A"});
  log.Add("Exported ST1");
  log.Standing({"A", "B"});
  log.Standing({"B"});
  log.Add("");
  log.Standing({"A", "B"});
  log.Standing({"C", "D", "A"});  // at once: in the status line's order
  EXPECT_EQ(log.Newest(), (std::vector<std::string>{"C", "D", "A", "B", "Exported ST1", "A"}));
  for (std::size_t i = 0; i < NoticeLog::kKept + 5; ++i) log.Add("n");
  EXPECT_EQ(log.Newest().size(), NoticeLog::kKept);
}

}  // namespace
}  // namespace tarvo::editor
