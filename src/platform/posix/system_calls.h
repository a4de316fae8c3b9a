#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

namespace tarvo::platform {

// The POSIX calls through which DiskFileSystem works; tests put
// interruptions, failures and crashes in their place. Each returns what the
// call of its name returns and sets errno as it does.
class SystemCalls {
 public:
  virtual ~SystemCalls() = default;
  virtual int Open(const char* path, int flags, mode_t mode);
  virtual ssize_t Write(int fd, const void* data, std::size_t size);
  virtual ssize_t Read(int fd, void* data, std::size_t size);
  virtual int Close(int fd);
  virtual int Fsync(int fd);
  virtual int Fstat(int fd, struct stat* status);
  virtual int Lstat(const char* path, struct stat* status);
  virtual ssize_t Readlink(const char* path, char* target, std::size_t size);
  virtual int Ftruncate(int fd, off_t length);
  virtual int Fchmod(int fd, mode_t mode);
  virtual int Fchown(int fd, uid_t owner, gid_t group);
  virtual int Rename(const char* from, const char* to);
  virtual int Unlink(const char* path);
  static SystemCalls& Real();
};

}  // namespace tarvo::platform
