#include "editor/notice_log.h"

#include <algorithm>

namespace tarvo::editor {

void NoticeLog::Add(const std::string& notice) {
  if (notice.empty()) return;
  newest_.insert(newest_.begin(), notice);
  if (newest_.size() > kKept) newest_.pop_back();
}

void NoticeLog::Standing(const std::vector<std::string>& notices) {
  // Backwards: notices that appear at once read in the status line's order.
  for (auto notice = notices.rbegin(); notice != notices.rend(); ++notice) {
    if (std::find(standing_.begin(), standing_.end(), *notice) == standing_.end()) Add(*notice);
  }
  standing_ = notices;
}

}  // namespace tarvo::editor
