#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace tarvo::platform {

// One editor per folder. Every program that writes the four files holds an
// exclusive lock on the lock file `.tarvo-tools.lock` in their folder for as
// long as it runs (flock(2) on POSIX, LockFileEx on Windows); the file names
// the holder's process id for the curious. Taking the lock, the holder removes
// the temporary files that a writer killed half-way left in the folder.
// The system drops the lock when its process ends, however it ends, so a lock
// file left behind by a process that died is simply taken over.
class FolderLock {
 public:
  static constexpr const char* kFileName = ".tarvo-tools.lock";

  enum class Outcome {
    Held,        // this process holds the folder
    Busy,        // another editor holds it: touch nothing
    Unlockable,  // no lock file can be made there (a read-only folder): nobody can hold it
  };

  // Takes the folder's lock. When another editor holds it, tries again for up
  // to `patience`, calling `waiting` once before the first wait.
  static FolderLock Acquire(const std::filesystem::path& folder,
                            std::chrono::milliseconds patience = std::chrono::milliseconds{0},
                            const std::function<void()>& waiting = {});

  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock() { Release(); }

  Outcome Result() const { return outcome_; }
  bool IsBusy() const { return outcome_ == Outcome::Busy; }
  // Gives the folder free: lets the lock go and, on POSIX, removes the lock
  // file (on Windows, where a file held open by another editor trying the
  // lock cannot be removed, the hidden file stays for the next one).
  void Release();

  // The open lock file: a descriptor on POSIX, a handle on Windows.
  using Handle = std::intptr_t;
  static constexpr Handle kNoHandle = -1;

 private:
  FolderLock(Outcome outcome, Handle handle, std::filesystem::path file)
      : outcome_(outcome), handle_(handle), file_(std::move(file)) {}

  Outcome outcome_;
  Handle handle_ = kNoHandle;
  std::filesystem::path file_;
};

// The exit status of a program that finds its folder busy.
inline constexpr int kFolderBusyStatus = 3;
// How long the command-line tools wait for a busy folder, so that scripts
// that run them one after the other do not fail.
inline constexpr std::chrono::milliseconds kCommandLinePatience{5000};

// "TARVO Tools is already working on the files in FOLDER."
std::string FolderBusyMessage(const std::filesystem::path& folder);

// The lock for a command-line tool (`program` names it in its lines on `err`):
// waits up to kCommandLinePatience, saying on `err` that it waits, and when it
// gives up writes FolderBusyMessage there. The caller then exits with
// kFolderBusyStatus without touching any file.
FolderLock LockForCommandLine(const std::filesystem::path& folder, std::string_view program,
                              std::ostream& err);

}  // namespace tarvo::platform
