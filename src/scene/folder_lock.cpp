#include "scene/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ostream>
#include <thread>
#include <utility>

#include "scene/file_system.h"

namespace tarvo::scene {
namespace {

constexpr std::chrono::milliseconds kRetryInterval{25};

enum class Attempt { Held, Busy, Unlockable, Replaced };

// One try at the lock file; on Held, `descriptor` is the open, locked file.
Attempt TryLock(const std::filesystem::path& file, int& descriptor) {
  // Opening an existing lock file changes nothing in it.
  descriptor = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (descriptor < 0) return Attempt::Unlockable;
  if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(descriptor);
    descriptor = -1;
    return error == EWOULDBLOCK ? Attempt::Busy : Attempt::Unlockable;
  }
  // The holder removes the file as it lets go: a lock won on a removed file
  // protects nothing, as the next editor makes a new file.
  struct stat opened {};
  struct stat named {};
  if (fstat(descriptor, &opened) != 0 || stat(file.c_str(), &named) != 0 ||
      opened.st_ino != named.st_ino || opened.st_dev != named.st_dev) {
    close(descriptor);
    descriptor = -1;
    return Attempt::Replaced;
  }
  const std::string pid = std::to_string(getpid()) + "\n";
  if (ftruncate(descriptor, 0) == 0) {
    [[maybe_unused]] const ssize_t written = write(descriptor, pid.data(), pid.size());
  }
  return Attempt::Held;
}

}  // namespace

FolderLock FolderLock::Acquire(const std::filesystem::path& folder,
                               std::chrono::milliseconds patience,
                               const std::function<void()>& waiting) {
  const std::filesystem::path file = folder / kFileName;
  const auto deadline = std::chrono::steady_clock::now() + patience;
  bool waited = false;
  for (;;) {
    int descriptor = -1;
    switch (TryLock(file, descriptor)) {
      case Attempt::Held:
        RemoveLeftTemporaries(folder);
        return FolderLock(Outcome::Held, descriptor, file);
      case Attempt::Unlockable: return FolderLock(Outcome::Unlockable, -1, {});
      case Attempt::Replaced: continue;
      case Attempt::Busy: break;
    }
    if (std::chrono::steady_clock::now() >= deadline) return FolderLock(Outcome::Busy, -1, {});
    if (!waited && waiting) waiting();
    waited = true;
    std::this_thread::sleep_for(kRetryInterval);
  }
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : outcome_(other.outcome_),
      descriptor_(std::exchange(other.descriptor_, -1)),
      file_(std::move(other.file_)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    Release();
    outcome_ = other.outcome_;
    descriptor_ = std::exchange(other.descriptor_, -1);
    file_ = std::move(other.file_);
  }
  return *this;
}

void FolderLock::Release() {
  if (descriptor_ < 0) return;
  // Removed while still locked, so that nobody locks the old file after us.
  unlink(file_.c_str());
  close(descriptor_);
  descriptor_ = -1;
}

std::string FolderBusyMessage(const std::filesystem::path& folder) {
  return "TARVO Tools is already working on the files in " + folder.string() + ".";
}

FolderLock LockForCommandLine(const std::filesystem::path& folder, std::string_view program,
                              std::ostream& err) {
  FolderLock lock = FolderLock::Acquire(folder, kCommandLinePatience, [&] {
    err << program << ": waiting for the other editor in " << folder.string() << "\n" << std::flush;
  });
  if (lock.IsBusy()) err << FolderBusyMessage(folder) << "\n";
  return lock;
}

}  // namespace tarvo::scene
