#pragma once

#include <filesystem>

#include "platform/folder_lock.h"

// The one system-dependent part of the folder lock: one try at the lock file.
namespace tarvo::platform::lock_file {

enum class Attempt { Held, Busy, Unlockable, Replaced };

// One try at the lock file, without waiting; on Held, `handle` is the open,
// locked file, which names this process. Replaced: the file was removed by its
// last holder while this try opened it; try again.
Attempt TryLock(const std::filesystem::path& file, FolderLock::Handle& handle);

// Lets the lock go (and removes the file where the system allows it safely).
void Unlock(const std::filesystem::path& file, FolderLock::Handle handle);

}  // namespace tarvo::platform::lock_file
