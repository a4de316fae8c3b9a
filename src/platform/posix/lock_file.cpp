#include "platform/lock_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace tarvo::platform::lock_file {

Attempt TryLock(const std::filesystem::path& file, FolderLock::Handle& handle) {
  // Opening an existing lock file changes nothing in it.
  const int descriptor = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (descriptor < 0) return Attempt::Unlockable;
  if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(descriptor);
    return error == EWOULDBLOCK ? Attempt::Busy : Attempt::Unlockable;
  }
  // The holder removes the file as it lets go: a lock won on a removed file
  // protects nothing, as the next editor makes a new file.
  struct stat opened {};
  struct stat named {};
  if (fstat(descriptor, &opened) != 0 || stat(file.c_str(), &named) != 0 ||
      opened.st_ino != named.st_ino || opened.st_dev != named.st_dev) {
    close(descriptor);
    return Attempt::Replaced;
  }
  const std::string pid = std::to_string(getpid()) + "\n";
  if (ftruncate(descriptor, 0) == 0) {
    [[maybe_unused]] const ssize_t written = write(descriptor, pid.data(), pid.size());
  }
  handle = descriptor;
  return Attempt::Held;
}

void Unlock(const std::filesystem::path& file, FolderLock::Handle handle) {
  // Removed while still locked, so that nobody locks the old file after us.
  unlink(file.c_str());
  close(static_cast<int>(handle));
}

}  // namespace tarvo::platform::lock_file
