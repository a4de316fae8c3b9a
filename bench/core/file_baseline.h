#pragma once

#include <filesystem>
#include <string_view>

namespace tarvo::bench {

// The bare file operations a command cannot avoid, with plain system calls:
// the yardstick the commands are measured against. `flush`: on the disk before
// they return, the data with fsync and, after a rename, the folder too.
void BareCopy(const std::filesystem::path& from, const std::filesystem::path& to, bool flush = false);
void BareAppend(const std::filesystem::path& file, std::string_view bytes, bool flush = false);
void BareWrite(const std::filesystem::path& file, std::string_view bytes, bool flush = false);

}  // namespace tarvo::bench
