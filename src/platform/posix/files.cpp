#include "platform/files.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include "platform/posix/system_calls.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace tarvo::platform {
namespace {

namespace fs = std::filesystem;

FileStatus FromErrno(int error) { return FileStatus::Failure(std::strerror(error)); }

// Writes every byte, retrying after interruptions and partial writes.
bool WriteAll(SystemCalls& calls, int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = calls.Write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) {
      errno = ENOSPC;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

FileStatus ReadAll(SystemCalls& calls, const fs::path& file, std::string& bytes) {
  const int fd = calls.Open(file.c_str(), O_RDONLY | O_CLOEXEC, 0);
  if (fd < 0) return errno == ENOENT ? FileStatus::Missing() : FromErrno(errno);
  struct stat status {};
  if (calls.Fstat(fd, &status) == 0 && status.st_size > 0) {
    bytes.reserve(bytes.size() + static_cast<std::size_t>(status.st_size));
  }
  char buffer[65536];
  for (;;) {
    const ssize_t got = calls.Read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      calls.Close(fd);
      return FromErrno(error);
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  calls.Close(fd);
  return FileStatus::Ok();
}

// The file that a path finally names: symbolic links are followed, a
// relative one from the folder of the link. 0 or the reason it cannot be found.
int FollowLinks(SystemCalls& calls, fs::path& file) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat status {};
    if (calls.Lstat(file.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return 0;
    char target[PATH_MAX];
    const ssize_t length = calls.Readlink(file.c_str(), target, sizeof target);
    if (length < 0) return errno;
    if (static_cast<std::size_t>(length) == sizeof target) return ENAMETOOLONG;
    const fs::path next(std::string(target, static_cast<std::size_t>(length)));
    file = next.is_absolute() ? next : file.parent_path() / next;
  }
  return ELOOP;
}

// Flushes the folder that holds the file, so that a rename or a new name
// survives a crash. 0 or the reason; a file system that cannot flush a
// folder (EINVAL: some network shares) makes its names as durable as it can.
int FlushFolder(SystemCalls& calls, const fs::path& file) {
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const int fd = calls.Open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return errno;
  const int error = calls.Fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
  calls.Close(fd);
  return error;
}

// A new file beside `file` with a name nobody else uses, made exclusively:
// .NAME.PROCESS-NUMBER.tmp.

int CreateTemporary(SystemCalls& calls, const fs::path& file, mode_t mode, fs::path& temporary) {
  static std::atomic<unsigned> made{0};
  const auto seed =
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = file;
    temporary +=
        "." + std::to_string(getpid()) + "-" + std::to_string((seed + made++) % 1000000) + ".tmp";
    temporary.replace_filename("." + temporary.filename().string());
    const int fd = calls.Open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Gives the new file the destination's owner and group where the user may
// set them (root both, others the group when they belong to it) and its
// permission bits. 0 or the reason; a file system without modes keeps its own.
int KeepOwnerAndMode(SystemCalls& calls, int fd, const struct stat& target) {
  struct stat made {};
  if (calls.Fstat(fd, &made) == 0 &&
      (made.st_uid != target.st_uid || made.st_gid != target.st_gid) &&
      calls.Fchown(fd, target.st_uid, target.st_gid) != 0) {
    calls.Fchown(fd, static_cast<uid_t>(-1), target.st_gid);
  }
  if (calls.Fchmod(fd, target.st_mode & 07777) == 0 || errno == EPERM || errno == ENOTSUP) return 0;
  return errno;
}

// Cuts off the `written` bytes that an append left at the file's end.
void TakeBack(SystemCalls& calls, int fd, ssize_t written) {
  struct stat after {};
  if (written > 0 && calls.Fstat(fd, &after) == 0 &&
      calls.Ftruncate(fd, after.st_size - written) != 0) {
    // Nothing more can be done here: the reason of the failed write is reported.
  }
}

}  // namespace

int SystemCalls::Open(const char* path, int flags, mode_t mode) {
  return ::open(path, flags, mode);
}
ssize_t SystemCalls::Write(int fd, const void* data, std::size_t size) {
  return ::write(fd, data, size);
}
ssize_t SystemCalls::Read(int fd, void* data, std::size_t size) { return ::read(fd, data, size); }
int SystemCalls::Close(int fd) { return ::close(fd); }
int SystemCalls::Fsync(int fd) { return ::fsync(fd); }
int SystemCalls::Fstat(int fd, struct stat* status) { return ::fstat(fd, status); }
int SystemCalls::Lstat(const char* path, struct stat* status) { return ::lstat(path, status); }
ssize_t SystemCalls::Readlink(const char* path, char* target, std::size_t size) {
  return ::readlink(path, target, size);
}
int SystemCalls::Ftruncate(int fd, off_t length) { return ::ftruncate(fd, length); }
int SystemCalls::Fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int SystemCalls::Fchown(int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); }
int SystemCalls::Rename(const char* from, const char* to) { return ::rename(from, to); }
int SystemCalls::Unlink(const char* path) { return ::unlink(path); }
SystemCalls& SystemCalls::Real() {
  static SystemCalls real;
  return real;
}

DiskFileSystem::DiskFileSystem() : calls_(SystemCalls::Real()) {}

FileStatus DiskFileSystem::Stage(const fs::path& destination, std::string_view bytes,
                                  Durability durability, StagedFile& staged) {
  staged = {{}, destination, durability};
  if (const int error = FollowLinks(calls_, staged.File)) return FromErrno(error);
  struct stat target {};
  const bool replacing = calls_.Lstat(staged.File.c_str(), &target) == 0;
  // Found now, not when the rename of Commit fails.
  if (replacing && S_ISDIR(target.st_mode)) return FromErrno(EISDIR);
  const int fd = CreateTemporary(calls_, staged.File, replacing ? 0600 : 0666, staged.Temporary);
  if (fd < 0) {
    const int error = errno;
    staged.Temporary.clear();
    return FromErrno(error);
  }
  int error = replacing ? KeepOwnerAndMode(calls_, fd, target) : 0;
  if (error == 0 && !WriteAll(calls_, fd, bytes)) error = errno;
  if (error == 0 && durability == Durability::Durable && calls_.Fsync(fd) != 0) error = errno;
  if (calls_.Close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    Discard(staged);
    return FromErrno(error);
  }
  return FileStatus::Ok();
}

FileStatus DiskFileSystem::Commit(const StagedFile& staged) {
  if (calls_.Rename(staged.Temporary.c_str(), staged.File.c_str()) != 0) {
    const int error = errno;
    Discard(staged);
    return FromErrno(error);
  }
  if (staged.Durable == Durability::Durable) {
    if (const int flushed = FlushFolder(calls_, staged.File)) return FromErrno(flushed);
  }
  return FileStatus::Ok();
}

void DiskFileSystem::Discard(const StagedFile& staged) {
  if (!staged.Temporary.empty()) calls_.Unlink(staged.Temporary.c_str());
}

FileStatus DiskFileSystem::Append(const fs::path& file, std::string_view bytes,
                                   Durability durability) {
  bool created = false;
  int fd = calls_.Open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC, 0);
  if (fd < 0 && errno == ENOENT) {
    fd = calls_.Open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    created = fd >= 0;
  }
  if (fd < 0) return FromErrno(errno);
  // One write keeps the block whole even when another program appends too.
  ssize_t written;
  do {
    written = calls_.Write(fd, bytes.data(), bytes.size());
  } while (written < 0 && errno == EINTR);
  int error = written == static_cast<ssize_t>(bytes.size()) ? 0 : written < 0 ? errno : ENOSPC;
  if (error == 0 && durability == Durability::Durable && calls_.Fsync(fd) != 0) error = errno;
  // A part that did land ends the file, as the write was the last: it goes.
  if (error != 0) TakeBack(calls_, fd, written);
  if (calls_.Close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && created && durability == Durability::Durable) {
    fs::path target = file;
    error = FollowLinks(calls_, target);
    if (error == 0) error = FlushFolder(calls_, target);
  }
  return error == 0 ? FileStatus::Ok() : FromErrno(error);
}

FileStatus DiskFileSystem::Read(const fs::path& file, std::string& bytes) {
  bytes.clear();
  FileStatus read = ReadAll(calls_, file, bytes);
  if (!read.IsOk()) {
    bytes.clear();
    read.File = file;
  }
  return read;
}

}  // namespace tarvo::platform
