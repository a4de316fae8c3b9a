#include "platform/folder_lock.h"

#include <ostream>
#include <thread>
#include <utility>

#include "platform/files.h"
#include "platform/lock_file.h"
#include "platform/text.h"

namespace tarvo::platform {
namespace {

constexpr std::chrono::milliseconds kRetryInterval{25};

}  // namespace

FolderLock FolderLock::Acquire(const std::filesystem::path& folder,
                               std::chrono::milliseconds patience,
                               const std::function<void()>& waiting) {
  const std::filesystem::path file = folder / kFileName;
  const auto deadline = std::chrono::steady_clock::now() + patience;
  bool waited = false;
  for (;;) {
    Handle handle = kNoHandle;
    switch (lock_file::TryLock(file, handle)) {
      case lock_file::Attempt::Held:
        RemoveLeftTemporaries(folder);
        return FolderLock(Outcome::Held, handle, file);
      case lock_file::Attempt::Unlockable: return FolderLock(Outcome::Unlockable, kNoHandle, {});
      case lock_file::Attempt::Replaced: continue;
      case lock_file::Attempt::Busy: break;
    }
    if (std::chrono::steady_clock::now() >= deadline) return FolderLock(Outcome::Busy, kNoHandle, {});
    if (!waited && waiting) waiting();
    waited = true;
    std::this_thread::sleep_for(kRetryInterval);
  }
}

FolderLock::FolderLock(FolderLock&& other) noexcept
    : outcome_(other.outcome_),
      handle_(std::exchange(other.handle_, kNoHandle)),
      file_(std::move(other.file_)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    Release();
    outcome_ = other.outcome_;
    handle_ = std::exchange(other.handle_, kNoHandle);
    file_ = std::move(other.file_);
  }
  return *this;
}

void FolderLock::Release() {
  if (handle_ == kNoHandle) return;
  lock_file::Unlock(file_, std::exchange(handle_, kNoHandle));
}

std::string FolderBusyMessage(const std::filesystem::path& folder) {
  return "TARVO Tools is already working on the files in " + PathText(folder) + ".";
}

FolderLock LockForCommandLine(const std::filesystem::path& folder, std::string_view program,
                              std::ostream& err) {
  FolderLock lock = FolderLock::Acquire(folder, kCommandLinePatience, [&] {
    err << program << ": waiting for the other editor in " << PathText(folder) << "\n" << std::flush;
  });
  if (lock.IsBusy()) err << program << ": " << FolderBusyMessage(folder) << "\n";
  return lock;
}

}  // namespace tarvo::platform
