#include "ui/preview/web_engine_flags.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <vector>

namespace tarvo::ui {
namespace {

constexpr const char* kFlagsVariable = "QTWEBENGINE_CHROMIUM_FLAGS";

bool HasFlag(std::string_view flags, std::string_view flag) {
  std::istringstream words{std::string(flags)};
  for (std::string word; words >> word;) {
    if (word == flag) return true;
  }
  return false;
}

}  // namespace

std::string WebEngineFlags(std::string_view userFlags, bool runningAsRoot) {
  std::vector<std::string_view> needed = {"--ignore-gpu-blocklist"};
  if (runningAsRoot) needed.push_back("--no-sandbox");
  std::string flags(userFlags);
  for (std::string_view flag : needed) {
    if (HasFlag(flags, flag)) continue;
    if (!flags.empty() && flags.back() != ' ') flags += ' ';
    flags += flag;
  }
  return flags;
}

void PrepareWebEngineFlags() {
  const char* userFlags = std::getenv(kFlagsVariable);
  const std::string flags = WebEngineFlags(userFlags ? userFlags : "", geteuid() == 0);
  setenv(kFlagsVariable, flags.c_str(), 1);
}

}  // namespace tarvo::ui
