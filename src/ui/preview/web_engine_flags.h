#pragma once

#include <string>
#include <string_view>

namespace tarvo::ui {

// The Chromium flags of the web view: `userFlags` followed by those the 3D
// preview needs and the user has not already given. WebGL must run on
// Mesa's software renderer, which Chromium's GPU blocklist refuses, and
// Chromium's sandbox does not start for root. WebXR, which the preview does
// not use, is disabled.
std::string WebEngineFlags(std::string_view userFlags, bool runningAsRoot);

// Adds those flags to QTWEBENGINE_CHROMIUM_FLAGS. Call before the
// QApplication is created.
void PrepareWebEngineFlags();

}  // namespace tarvo::ui
