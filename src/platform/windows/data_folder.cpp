#include "platform/data_folder.h"

#include <windows.h>

#include <string>

#include "platform/windows/windows_text.h"

namespace tarvo::platform {
namespace {

std::filesystem::path Variable(const wchar_t* name) {
  return windows::GrownText([name](wchar_t* value, DWORD size) { return GetEnvironmentVariableW(name, value, size); });
}

}  // namespace

// Asked by making a file, as only Windows itself knows what the folder's
// access rights allow.
bool CanWriteIn(const std::filesystem::path& folder) {
  const std::filesystem::path probe =
      folder / (L".tarvo-tools-write-test-" + std::to_wstring(GetCurrentProcessId()));
  HANDLE made = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (made == INVALID_HANDLE_VALUE) return false;
  CloseHandle(made);
  return true;
}

void AddSystemFolders(DataFolderFacts& facts) {
  facts.SharedTrees = {Variable(L"ProgramFiles"), Variable(L"ProgramFiles(x86)"),
                       Variable(L"ProgramW6432"), Variable(L"SystemRoot")};
  facts.IgnoreCase = true;
  std::filesystem::path localAppData = Variable(L"LOCALAPPDATA");
  if (localAppData.empty()) localAppData = Variable(L"USERPROFILE") / "AppData" / "Local";
  facts.UserDataFolder = WindowsUserDataFolder(localAppData);
}

}  // namespace tarvo::platform
