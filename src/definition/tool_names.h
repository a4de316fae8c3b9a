#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::definition {

// The tool's name in an ITEM line ("ITEM:ST1  TARVO1", with or without its
// CR LF): the text after "ITEM:" up to the line's last blank, trailing blanks
// removed. Nothing for a line that is not an ITEM line.
std::optional<std::string> ItemName(std::string_view line);

// The name as a reader that splits the ITEM line at blanks sees it: without
// the blanks at its ends. Two tools have the same name when these agree.
std::string_view NameAsRead(std::string_view name);

// The names of the tools in a probe definition file, in its own bytes
// (Windows-1252), in file order; none when the file cannot be read.
std::vector<std::string> ReadToolNames(const std::filesystem::path& file);

}  // namespace tarvo::definition
