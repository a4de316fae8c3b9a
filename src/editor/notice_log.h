#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarvo::editor {

// The notices of this run, newest first, for Help → Last messages: each
// passing notice as it shows, each standing notice (one the status line
// keeps while its cause lasts) once when it appears.
class NoticeLog {
 public:
  static constexpr std::size_t kKept = 200;  // the oldest go beyond these

  void Add(const std::string& notice);
  // The notices that stand now: those that did not stand before are added.
  void Standing(const std::vector<std::string>& notices);
  const std::vector<std::string>& Newest() const { return newest_; }

 private:
  std::vector<std::string> newest_;
  std::vector<std::string> standing_;
};

}  // namespace tarvo::editor
