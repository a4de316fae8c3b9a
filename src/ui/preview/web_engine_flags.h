#pragma once

#include <string>
#include <string_view>

namespace tarvo::ui {

// The Chromium flags of the web view: `userFlags` followed by those the 3D
// preview needs and the user has not already given. WebGL must run on
// Mesa's software renderer, which Chromium's GPU blocklist refuses, and
// Chromium's sandbox does not start for root; without it, no zygote process
// is needed either. The page's JavaScript engine keeps a small heap, unless
// the user gives --js-flags. WebXR, which the preview does not use, is
// disabled.
std::string WebEngineFlags(std::string_view userFlags, bool runningAsRoot);

// The user asks for the web engine's own messages with --verbose among the
// program's arguments or TARVO_VERBOSE set (to anything but 0).
inline constexpr std::string_view kVerboseOption = "--verbose";
inline constexpr const char* kVerboseVariable = "TARVO_VERBOSE";
bool EngineLoggingWanted(int argc, const char* const* argv);

// Prepares the web engine: adds those flags to QTWEBENGINE_CHROMIUM_FLAGS,
// registers the preview's URL scheme and, unless `verbose`, keeps the
// engine's logging and the page's console off the terminal. Call before the
// QApplication is created.
void PrepareWebEngineFlags(bool verbose = false);

}  // namespace tarvo::ui
