#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvo::platform {

// A path as the program shows and prints it: UTF-8, with '/' between its
// parts on every system, so that a message names a file alike everywhere.
std::string PathText(const std::filesystem::path& path);

// The path that a UTF-8 text names (a command line's argument, a script's).
std::filesystem::path PathFromText(std::string_view utf8);

}  // namespace tarvo::platform
