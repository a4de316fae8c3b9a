#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tarvo::platform::windows {

// A wide text of Windows as UTF-8.
std::string Utf8(const wchar_t* text, int length = -1);

// The wide text that `ask` writes into a buffer of the size it is given.
// `ask` returns the text's length, 0 on failure (an empty text), or at least
// the size given when the buffer is too small: Windows's calls answer with
// the size they need or with the size given, the text cut.
std::wstring GrownText(const std::function<DWORD(wchar_t*, DWORD)>& ask);

// The reason for a Windows error code, in the same words as on POSIX where
// there is one, so that a message reads alike on both; else Windows's own.
std::string Reason(DWORD error);

// Whether the error means that another program holds the file open.
bool IsInUse(DWORD error);

}  // namespace tarvo::platform::windows
