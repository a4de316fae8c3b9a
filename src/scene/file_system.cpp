#include "scene/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tarvo::scene {
namespace {

FileStatus FromErrno(int error) { return FileStatus::Failure(std::strerror(error)); }

// Writes every byte, retrying after interruptions and partial writes.
bool WriteAll(const SystemCalls& calls, int fd, std::string_view bytes) {
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

FileStatus ReadAll(const SystemCalls& calls, const std::filesystem::path& file, std::string& bytes) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? FileStatus::Missing() : FromErrno(errno);
  struct stat status {};
  if (::fstat(fd, &status) == 0 && status.st_size > 0) {
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

}  // namespace

SystemCalls SystemCalls::Real() { return {::write, ::read, ::close}; }

FileStatus PosixFileSystem::Write(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::path temporary = file;
  temporary += ".part";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return FromErrno(errno);
  if (!WriteAll(calls_, fd, bytes)) {
    const int error = errno;
    calls_.Close(fd);
    ::unlink(temporary.c_str());
    return FromErrno(error);
  }
  if (calls_.Close(fd) != 0 || ::rename(temporary.c_str(), file.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return FromErrno(error);
  }
  return FileStatus::Ok();
}

FileStatus PosixFileSystem::Append(const std::filesystem::path& file, std::string_view bytes) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return FromErrno(errno);
  // One write keeps the block whole even when another program appends too.
  ssize_t written;
  do {
    written = calls_.Write(fd, bytes.data(), bytes.size());
  } while (written < 0 && errno == EINTR);
  if (written != static_cast<ssize_t>(bytes.size())) {
    const int error = written < 0 ? errno : ENOSPC;
    // Cut off the part that did land; it ends the file, as the write was the last.
    struct stat after {};
    if (written > 0 && ::fstat(fd, &after) == 0 && ::ftruncate(fd, after.st_size - written) != 0) {
      // Nothing more can be done here: the reason of the short write is reported.
    }
    calls_.Close(fd);
    return FromErrno(error);
  }
  if (calls_.Close(fd) != 0) return FromErrno(errno);
  return FileStatus::Ok();
}

FileStatus PosixFileSystem::Copy(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::string bytes;
  FileStatus read = ReadAll(calls_, from, bytes);
  if (!read.IsOk()) {
    read.File = from;
    return read;
  }
  FileStatus written = Write(to, bytes);
  if (!written.IsOk()) written.File = to;
  return written;
}

FileStatus PosixFileSystem::Read(const std::filesystem::path& file, std::string& bytes) {
  bytes.clear();
  FileStatus read = ReadAll(calls_, file, bytes);
  if (!read.IsOk()) {
    bytes.clear();
    read.File = file;
  }
  return read;
}

}  // namespace tarvo::scene
