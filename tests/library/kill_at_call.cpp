// Preloaded into a program, counts its write-related system calls (opening
// for writing, write, fsync, ftruncate, fchmod, fchown, rename, unlink; the
// standard streams not counted) and kills the process with SIGKILL just
// before call number $TARVO_KILL_AT.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdlib>

namespace {

void Count() {
  static long calls = 0;
  static const long killAt =
      std::getenv("TARVO_KILL_AT") ? std::atol(std::getenv("TARVO_KILL_AT")) : 0;
  if (++calls == killAt) raise(SIGKILL);
}

template <typename Function>
Function* Next(const char* name) {
  return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = (flags & O_CREAT) ? va_arg(arguments, mode_t) : 0;
  va_end(arguments);
  if (flags & (O_WRONLY | O_RDWR | O_CREAT)) Count();
  return Next<int(const char*, int, ...)>("open")(path, flags, mode);
}
ssize_t write(int fd, const void* data, size_t size) {
  if (fd > 2) Count();
  return Next<ssize_t(int, const void*, size_t)>("write")(fd, data, size);
}
#define TARVO_COUNTED(name, signature, ...)         \
  int name signature {                              \
    Count();                                        \
    return Next<int signature>(#name)(__VA_ARGS__); \
  }
TARVO_COUNTED(fsync, (int fd), fd)
TARVO_COUNTED(ftruncate, (int fd, off_t length), fd, length)
TARVO_COUNTED(fchmod, (int fd, mode_t mode), fd, mode)
TARVO_COUNTED(fchown, (int fd, uid_t owner, gid_t group), fd, owner, group)
TARVO_COUNTED(rename, (const char* from, const char* to), from, to)
TARVO_COUNTED(unlink, (const char* path), path)
}
