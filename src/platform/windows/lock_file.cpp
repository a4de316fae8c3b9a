#include "platform/lock_file.h"

#include <windows.h>

#include <string>

namespace tarvo::platform::lock_file {
namespace {

// The byte locked: far past the file's end, so that the process number in
// the file stays readable by anyone who looks.
OVERLAPPED LockedByte() {
  OVERLAPPED where{};
  where.OffsetHigh = 0x7FFFFFFF;
  return where;
}

}  // namespace

Attempt TryLock(const std::filesystem::path& file, FolderLock::Handle& handle) {
  // Opening an existing lock file changes nothing in it; every other editor
  // may open it too, to try the lock.
  HANDLE opened = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (opened == INVALID_HANDLE_VALUE) {
    return GetLastError() == ERROR_SHARING_VIOLATION ? Attempt::Busy : Attempt::Unlockable;
  }
  OVERLAPPED where = LockedByte();
  if (!LockFileEx(opened, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where)) {
    const DWORD error = GetLastError();
    CloseHandle(opened);
    return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? Attempt::Busy
                                                                      : Attempt::Unlockable;
  }
  const std::string pid = std::to_string(GetCurrentProcessId()) + "\n";
  DWORD written = 0;
  if (SetFilePointer(opened, 0, nullptr, FILE_BEGIN) == 0 && SetEndOfFile(opened)) {
    WriteFile(opened, pid.data(), static_cast<DWORD>(pid.size()), &written, nullptr);
  }
  handle = reinterpret_cast<FolderLock::Handle>(opened);
  return Attempt::Held;
}

void Unlock(const std::filesystem::path&, FolderLock::Handle handle) {
  // The file stays: removing it while another editor has it open to try the
  // lock would leave a name that nobody can open until that editor lets go.
  HANDLE opened = reinterpret_cast<HANDLE>(handle);
  OVERLAPPED where = LockedByte();
  UnlockFileEx(opened, 0, 1, 0, &where);
  CloseHandle(opened);
}

}  // namespace tarvo::platform::lock_file
