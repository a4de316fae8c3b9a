#pragma once

#include <filesystem>
#include <string_view>

namespace tarvo::bench {

// The bare file operations a command cannot avoid, with plain system calls:
// the yardstick the commands are measured against.
void BareCopy(const std::filesystem::path& from, const std::filesystem::path& to);
void BareAppend(const std::filesystem::path& file, std::string_view bytes);
void BareWrite(const std::filesystem::path& file, std::string_view bytes);

}  // namespace tarvo::bench
