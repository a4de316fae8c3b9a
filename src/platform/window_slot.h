#pragma once

#include <filesystem>

#include "platform/folder_lock.h"

namespace tarvo::platform {

// Which of the program's windows open at once this one is, so that each
// opens offset from the others: the first of the lock files
// ".tarvo-tools.window-N.lock" (N from 0) in `folder` (the user's data
// folder) that this process can lock; it holds that lock while it runs, and
// the system drops it when the process ends, however it ends. Number 0, the
// place of a first window, when no lock file can be made there.
class WindowSlot {
 public:
  static constexpr int kSlots = 8;  // the ninth window opens where the first did

  static WindowSlot Take(const std::filesystem::path& folder);

  WindowSlot(WindowSlot&& other) noexcept;
  WindowSlot& operator=(WindowSlot&& other) noexcept;
  WindowSlot(const WindowSlot&) = delete;
  WindowSlot& operator=(const WindowSlot&) = delete;
  ~WindowSlot();

  int Number() const { return number_; }

 private:
  void Release();

  WindowSlot(int number, FolderLock::Handle handle, std::filesystem::path file)
      : number_(number), handle_(handle), file_(std::move(file)) {}

  int number_ = 0;
  FolderLock::Handle handle_ = FolderLock::kNoHandle;
  std::filesystem::path file_;
};

}  // namespace tarvo::platform
