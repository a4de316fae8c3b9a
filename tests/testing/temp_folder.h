#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/text.h"

namespace tarvo::testing {

// A fresh folder on disk, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder() { std::filesystem::create_directories(path_); }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  inline static int made_ = 0;
  const std::filesystem::path path_ =
      std::filesystem::temp_directory_path() /
      ("tarvo-test-" + std::to_string(platform::ProcessId()) + "-" + std::to_string(made_++));
};

// The names in a folder, sorted.
inline std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(platform::PathText(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The bytes of a file on disk; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace tarvo::testing
