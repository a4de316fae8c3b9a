// Preloaded into a program, counts its write-related system calls (opening
// for writing, write, fsync, fchmod, rename, unlink; the standard streams not
// counted) and kills it with SIGKILL just before call $TARVO_KILL_AT.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdlib>

namespace {

void Count() {
  static long calls = 0;
  static const long killAt = std::getenv("TARVO_KILL_AT") ? std::atol(std::getenv("TARVO_KILL_AT")) : 0;
  if (++calls == killAt) raise(SIGKILL);
}

}  // namespace

#define TARVO_NEXT(name, type) reinterpret_cast<type>(dlsym(RTLD_NEXT, #name))
#define TARVO_COUNTED(result, name, parameters, ...) \
  extern "C" result name parameters {                \
    Count();                                         \
    return TARVO_NEXT(name, result(*) parameters)(__VA_ARGS__); \
  }
TARVO_COUNTED(int, fsync, (int fd), fd)
TARVO_COUNTED(int, fchmod, (int fd, mode_t mode), fd, mode)
TARVO_COUNTED(int, rename, (const char* from, const char* to), from, to)
TARVO_COUNTED(int, unlink, (const char* path), path)

extern "C" ssize_t write(int fd, const void* data, size_t size) {
  if (fd > 2) Count();
  return TARVO_NEXT(write, ssize_t(*)(int, const void*, size_t))(fd, data, size);
}

extern "C" int open(const char* path, int flags, ...) {
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = (flags & O_CREAT) ? va_arg(arguments, mode_t) : 0;
  va_end(arguments);
  if (flags & (O_WRONLY | O_RDWR | O_CREAT)) Count();
  return TARVO_NEXT(open, int (*)(const char*, int, ...))(path, flags, mode);
}
