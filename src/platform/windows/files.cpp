#include "platform/files.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <utility>

#include "platform/windows/system_calls.h"
#include "platform/windows/windows_text.h"

namespace tarvo::platform {
namespace {

namespace fs = std::filesystem;
using windows::IsInUse;
using windows::Reason;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kRetryMilliseconds = 50;

FileStatus Failure(DWORD error) { return FileStatus::Failure(Reason(error)); }

// Closes a handle at the end of its scope.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  // Closes now; false with GetLastError() when closing fails.
  bool Close() {
    if (!IsOpen()) return true;
    return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0;
  }

 private:
  HANDLE handle_;
};

// Calls `attempt` until it succeeds, fails for another reason than another
// program holding the file, or the patience is spent. The last error, or 0.
template <typename Attempt>
DWORD WhileInUse(const SystemCalls& calls, Attempt attempt) {
  const auto deadline = std::chrono::steady_clock::now() + calls.InUsePatience();
  for (;;) {
    const DWORD error = attempt();
    if (error == 0 || !IsInUse(error) || std::chrono::steady_clock::now() >= deadline) return error;
    Sleep(kRetryMilliseconds);
  }
}

// Windows says "access denied" both for a file it may not touch and for one
// that another program holds open without sharing its removal: the second
// is told apart by asking for the file's removal right alone.
DWORD InUseOrDenied(const fs::path& file, DWORD error) {
  if (error != ERROR_ACCESS_DENIED) return error;
  Handle probe(CreateFileW(file.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return !probe.IsOpen() && GetLastError() == ERROR_SHARING_VIOLATION ? ERROR_SHARING_VIOLATION
                                                                       : error;
}

std::optional<DWORD> Attributes(const fs::path& file) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

bool IsFolder(const fs::path& file) {
  const std::optional<DWORD> attributes = Attributes(file);
  return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY);
}

const FileStatus kIsAFolder = FileStatus::Failure("Is a directory");

// The file that a path finally names: a symbolic link is followed, and stays.
DWORD FollowLinks(fs::path& file) {
  const std::optional<DWORD> attributes = Attributes(file);
  if (!attributes || !(*attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return 0;
  Handle target(CreateFileW(file.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!target.IsOpen()) return GetLastError();
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(target.Get(), name.data(),
                                                   static_cast<DWORD>(name.size()), 0);
    if (length == 0) return GetLastError();
    if (length < name.size()) {
      name.resize(length);
      break;
    }
    name.resize(length + 1);
  }
  file = fs::path(name);
  return 0;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

// A new file beside `file` with a name nobody else uses, made exclusively:
// .NAME.PROCESS-NUMBER.tmp.
HANDLE CreateTemporary(const fs::path& file, fs::path& temporary) {
  static std::atomic<unsigned> made{0};
  const auto seed = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = file.parent_path() /
                (L"." + file.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId()) +
                 L"-" + std::to_wstring((seed + made++) % 1000000) + L".tmp");
    HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return handle;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return INVALID_HANDLE_VALUE;
}

// Puts the finished temporary file in the destination's place. An existing
// destination is replaced with ReplaceFileW, which keeps its attributes and
// access rights; a new one is a rename written through. 0 or the error.
DWORD PutInPlace(const SystemCalls& calls, const fs::path& temporary, const fs::path& file) {
  return WhileInUse(calls, [&]() -> DWORD {
    if (!Attributes(file)) {
      if (MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_WRITE_THROUGH)) return 0;
      const DWORD error = GetLastError();
      // Made meanwhile by another program: replaced below on the next try.
      return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? ERROR_SHARING_VIOLATION
                                                                         : error;
    }
    // A file held open is waited for before ReplaceFileW is asked, which
    // would leave scraps of its own on some systems.
    if (const DWORD held = InUseOrDenied(file, ERROR_ACCESS_DENIED); IsInUse(held)) return held;
    // ReplaceFileW keeps the file's attributes and access rights; the
    // attributes are given to the new file beforehand as well, for the
    // systems whose ReplaceFileW does not.
    if (const std::optional<DWORD> kept = Attributes(file)) {
      SetFileAttributesW(temporary.c_str(), *kept & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    }
    if (ReplaceFileW(file.c_str(), temporary.c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                     nullptr)) {
      return 0;
    }
    return InUseOrDenied(file, GetLastError());
  });
}

// Makes the replaced file's new content and name durable.
DWORD FlushFile(const fs::path& file) {
  Handle flushed(CreateFileW(file.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!flushed.IsOpen()) return GetLastError();
  return FlushFileBuffers(flushed.Get()) ? 0 : GetLastError();
}

// Cuts off the `written` bytes that an append left at the file's end.
void TakeBack(const fs::path& file, HANDLE appended, DWORD written) {
  LARGE_INTEGER size{};
  if (written == 0 || !GetFileSizeEx(appended, &size)) return;
  Handle cut(CreateFileW(file.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER end{};
  end.QuadPart = size.QuadPart - written;
  if (cut.IsOpen() && SetFilePointerEx(cut.Get(), end, nullptr, FILE_BEGIN)) SetEndOfFile(cut.Get());
  // Nothing more can be done here: the reason of the failed write is reported.
}

}  // namespace

SystemCalls& SystemCalls::Real() {
  static SystemCalls real;
  return real;
}

DiskFileSystem::DiskFileSystem() : calls_(SystemCalls::Real()) {}

FileStatus DiskFileSystem::Stage(const fs::path& destination, std::string_view bytes,
                                 Durability durability, StagedFile& staged) {
  staged = {{}, destination, durability};
  if (const DWORD error = FollowLinks(staged.File)) return Failure(error);
  if (IsFolder(staged.File)) return kIsAFolder;
  Handle made(CreateTemporary(staged.File, staged.Temporary));
  if (!made.IsOpen()) {
    staged.Temporary.clear();
    return Failure(GetLastError());
  }
  DWORD error = 0;
  if (!WriteAll(made.Get(), bytes)) error = GetLastError();
  if (error == 0 && durability == Durability::Durable && !FlushFileBuffers(made.Get())) {
    error = GetLastError();
  }
  if (!made.Close() && error == 0) error = GetLastError();
  if (error != 0) {
    Discard(staged);
    return Failure(error);
  }
  return FileStatus::Ok();
}

FileStatus DiskFileSystem::Commit(const StagedFile& staged) {
  if (const DWORD error = PutInPlace(calls_, staged.Temporary, staged.File)) {
    Discard(staged);
    return Failure(error);
  }
  if (staged.Durable == Durability::Durable) {
    if (const DWORD flushed = FlushFile(staged.File)) return Failure(flushed);
  }
  return FileStatus::Ok();
}

void DiskFileSystem::Discard(const StagedFile& staged) {
  if (!staged.Temporary.empty()) DeleteFileW(staged.Temporary.c_str());
}

FileStatus DiskFileSystem::Append(const fs::path& file, std::string_view bytes,
                                  Durability durability) {
  if (IsFolder(file)) return kIsAFolder;
  HANDLE opened = INVALID_HANDLE_VALUE;
  const DWORD refused = WhileInUse(calls_, [&]() -> DWORD {
    // Append access alone: every write lands at the file's end, whole, even
    // when another program appends too.
    opened = CreateFileW(file.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                         kShareAll, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return opened != INVALID_HANDLE_VALUE ? 0 : GetLastError();
  });
  if (refused != 0) return Failure(refused);
  Handle appended(opened);
  if (bytes.size() > 0xFFFFFFFFu) return Failure(ERROR_NOT_ENOUGH_MEMORY);
  DWORD written = 0;
  DWORD error = 0;
  if (!WriteFile(appended.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    error = GetLastError();
  } else if (written != bytes.size()) {
    error = ERROR_DISK_FULL;
  }
  if (error == 0 && durability == Durability::Durable && !FlushFileBuffers(appended.Get())) {
    error = GetLastError();
  }
  // A part that did land ends the file, as the write was the last: it goes.
  if (error != 0) TakeBack(file, appended.Get(), written);
  if (!appended.Close() && error == 0) error = GetLastError();
  return error == 0 ? FileStatus::Ok() : Failure(error);
}

FileStatus DiskFileSystem::Read(const fs::path& file, std::string& bytes) {
  bytes.clear();
  FileStatus status = [&] {
    if (IsFolder(file)) return kIsAFolder;
    // Shared for every use, so that the measuring application is never kept
    // from its own file while we read it.
    Handle read(CreateFileW(file.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!read.IsOpen()) {
      const DWORD error = GetLastError();
      return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileStatus::Missing()
                                                                              : Failure(error);
    }
    LARGE_INTEGER size{};
    if (GetFileSizeEx(read.Get(), &size) && size.QuadPart > 0) {
      bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    }
    char buffer[65536];
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(read.Get(), buffer, sizeof buffer, &got, nullptr)) return Failure(GetLastError());
      if (got == 0) break;
      bytes.append(buffer, got);
    }
    return FileStatus::Ok();
  }();
  if (!status.IsOk()) {
    bytes.clear();
    status.File = file;
  }
  return status;
}

}  // namespace tarvo::platform
