#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvo::definition {

// The Windows-1252 bytes of a UTF-8 text, one byte per character; a character
// outside that code page, or a byte that is not valid UTF-8, becomes "?".
std::string ToWindows1252(std::string_view utf8);

// The first character of a UTF-8 text that Windows-1252 cannot hold (as
// UTF-8; U+FFFD for a byte that is not valid UTF-8), or nothing when the
// code page holds every one.
std::optional<std::string> FirstOutsideWindows1252(std::string_view utf8);

// The UTF-8 text of Windows-1252 bytes; a byte the code page leaves unused
// becomes "?".
std::string FromWindows1252(std::string_view bytes);

}  // namespace tarvo::definition
