#include "platform/process.h"

// windows.h before the headers that build on it.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "platform/windows/windows_text.h"

namespace tarvo::platform {

long ProcessId() { return static_cast<long>(GetCurrentProcessId()); }

std::filesystem::path ProgramFolder() {
  const std::wstring name =
      windows::GrownText([](wchar_t* text, DWORD size) { return GetModuleFileNameW(nullptr, text, size); });
  return name.empty() ? std::filesystem::path() : std::filesystem::path(name).parent_path();
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr || count != argc) {
    if (wide != nullptr) LocalFree(wide);
    return {argv, argv + argc};
  }
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(windows::Utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

void UseBinaryStandardStreams() {
  for (std::FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
}

void UseStarterConsole() {
  const auto unset = [](DWORD stream) {
    const HANDLE handle = GetStdHandle(stream);
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
  };
  const bool out = unset(STD_OUTPUT_HANDLE), err = unset(STD_ERROR_HANDLE);
  if (!(out || err) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (out) (void)std::freopen("CONOUT$", "w", stdout);
  if (err) (void)std::freopen("CONOUT$", "w", stderr);
}

std::optional<std::string> UserDecimalSeparator() {
  char separator[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) == 0) {
    return std::nullopt;
  }
  return std::string(separator);
}

}  // namespace tarvo::platform
