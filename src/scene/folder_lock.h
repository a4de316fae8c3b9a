#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace tarvo::scene {

// One editor per folder. Every program that writes the four files holds an
// exclusive flock(2) on the lock file `.tarvo-tools.lock` in their folder for
// as long as it runs; the file names the holder's process id for the curious.
// Taking the lock, the holder removes the temporary files that a writer
// killed half-way left in the folder.
// The kernel drops the lock when its process ends, however it ends, so a lock
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
  // Gives the folder free: removes the lock file and lets the lock go.
  void Release();

 private:
  FolderLock(Outcome outcome, int descriptor, std::filesystem::path file)
      : outcome_(outcome), descriptor_(descriptor), file_(std::move(file)) {}

  Outcome outcome_;
  int descriptor_ = -1;
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

}  // namespace tarvo::scene
