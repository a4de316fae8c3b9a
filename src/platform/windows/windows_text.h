#pragma once

#include <windows.h>

#include <string>

namespace tarvo::platform::windows {

// A wide text of Windows as UTF-8.
std::string Utf8(const wchar_t* text, int length = -1);

// The reason for a Windows error code, in the same words as on POSIX where
// there is one, so that a message reads alike on both; else Windows's own.
std::string Reason(DWORD error);

// Whether the error means that another program holds the file open.
bool IsInUse(DWORD error);

}  // namespace tarvo::platform::windows
