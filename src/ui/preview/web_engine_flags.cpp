#include "ui/preview/web_engine_flags.h"

#include "ui/preview/preview_scheme.h"

#include <unistd.h>

#include <QLoggingCategory>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace tarvo::ui {
namespace {

constexpr const char* kFlagsVariable = "QTWEBENGINE_CHROMIUM_FLAGS";

constexpr std::string_view kDisableFeatures = "--disable-features=";
// The X3D browser asks for WebXR to offer a headset button, and the question
// alone starts a helper process for XR devices.
constexpr std::string_view kUnusedFeature = "WebXR";

// Whether `flags` hold a flag of the same name as `flag`, with any value.
bool HasFlag(std::string_view flags, std::string_view flag) {
  const std::string_view name = flag.substr(0, flag.find('='));
  std::istringstream words{std::string(flags)};
  for (std::string word; words >> word;) {
    if (std::string_view(word).substr(0, word.find('=')) == name) return true;
  }
  return false;
}

// Chromium reads only the last --disable-features flag: a feature joins the
// user's list, if there is one.
void DisableFeature(std::string& flags, std::string_view feature) {
  for (std::size_t start = 0; start < flags.size();) {
    const std::size_t end = std::min(flags.find(' ', start), flags.size());
    const std::string_view word = std::string_view(flags).substr(start, end - start);
    if (word.starts_with(kDisableFeatures)) {
      std::istringstream list{std::string(word.substr(kDisableFeatures.size()))};
      for (std::string item; std::getline(list, item, ',');) {
        if (item == feature) return;
      }
      const bool listEmpty = word.size() == kDisableFeatures.size();
      flags.insert(end, feature);  // `word` no longer valid
      if (!listEmpty) flags.insert(end, 1, ',');
      return;
    }
    start = end + 1;
  }
  if (!flags.empty() && flags.back() != ' ') flags += ' ';
  flags.append(kDisableFeatures).append(feature);
}

}  // namespace

std::string WebEngineFlags(std::string_view userFlags, bool runningAsRoot) {
  // V8 sized for a small heap: the page's process holds about 50 MB less with
  // 30 elements, at no cost in the time a scene takes.
  std::vector<std::string_view> needed = {"--ignore-gpu-blocklist",
                                          "--js-flags=--optimize-for-size"};
  // Without the sandbox the helper processes need no zygote to fork them
  // from: two processes and about 15 MB less.
  if (runningAsRoot) needed.insert(needed.end(), {"--no-sandbox", "--no-zygote"});
  std::string flags(userFlags);
  for (std::string_view flag : needed) {
    if (HasFlag(flags, flag)) continue;
    if (!flags.empty() && flags.back() != ' ') flags += ' ';
    flags += flag;
  }
  DisableFeature(flags, kUnusedFeature);
  return flags;
}

bool EngineLoggingWanted(int argc, const char* const* argv) {
  const char* verbose = std::getenv(kVerboseVariable);
  if (verbose && *verbose && std::string_view(verbose) != "0") return true;
  return std::any_of(argv + 1, argv + argc, [](const char* arg) { return arg == kVerboseOption; });
}

void PrepareWebEngineFlags(bool verbose) {
  const char* userFlags = std::getenv(kFlagsVariable);
  // Chromium keeps the last --log-level: the user's own comes later.
  std::string given = verbose ? "" : "--log-level=3 ";
  given += userFlags ? userFlags : "";
  const std::string flags = WebEngineFlags(given, geteuid() == 0);
  setenv(kFlagsVariable, flags.c_str(), 1);
  RegisterPreviewScheme();
  // The web engine's context report and the page's console; rules the user
  // gives in QT_LOGGING_RULES still win.
  if (!verbose) QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext=false\njs=false"));
}

}  // namespace tarvo::ui
