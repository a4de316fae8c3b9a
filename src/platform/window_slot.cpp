#include "platform/window_slot.h"

#include <string>
#include <utility>

#include "platform/lock_file.h"

namespace tarvo::platform {

WindowSlot WindowSlot::Take(const std::filesystem::path& folder) {
  static_assert(kSlots <= 10, "one digit names the slot");
  for (int number = 0; number < kSlots && !folder.empty(); ++number) {
    const std::filesystem::path file =
        folder / (".tarvo-tools.window-" + std::string(1, static_cast<char>('0' + number)) + ".lock");
    FolderLock::Handle handle = FolderLock::kNoHandle;
    lock_file::Attempt attempt = lock_file::TryLock(file, handle);
    if (attempt == lock_file::Attempt::Replaced) attempt = lock_file::TryLock(file, handle);
    if (attempt == lock_file::Attempt::Held) return WindowSlot(number, handle, file);
    if (attempt == lock_file::Attempt::Unlockable) break;
  }
  return WindowSlot(0, FolderLock::kNoHandle, {});
}

WindowSlot::WindowSlot(WindowSlot&& other) noexcept
    : number_(other.number_), handle_(std::exchange(other.handle_, FolderLock::kNoHandle)), file_(std::move(other.file_)) {}

WindowSlot& WindowSlot::operator=(WindowSlot&& other) noexcept {
  if (this != &other) {
    Release();
    number_ = other.number_;
    handle_ = std::exchange(other.handle_, FolderLock::kNoHandle);
    file_ = std::move(other.file_);
  }
  return *this;
}

WindowSlot::~WindowSlot() { Release(); }

void WindowSlot::Release() {
  if (handle_ != FolderLock::kNoHandle) lock_file::Unlock(file_, std::exchange(handle_, FolderLock::kNoHandle));
}

}  // namespace tarvo::platform
