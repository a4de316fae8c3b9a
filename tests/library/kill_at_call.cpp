// Preloaded into a program, counts its write-related system calls (write,
// fsync, fchmod, rename, unlink; the standard streams not counted) and kills it
// with SIGKILL just before call $TARVO_KILL_AT. A kill before an open that
// creates a file leaves what a kill after the call before it leaves.
#include <dlfcn.h>
#include <signal.h>
#include <unistd.h>

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
