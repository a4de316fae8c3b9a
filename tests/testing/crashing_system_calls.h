#pragma once

#include <fcntl.h>

#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/posix/system_calls.h"

namespace tarvo::testing {

// Files in memory behind the system-call seam; a crash keeps only what fsync
// flushed: a file's bytes, a folder's names (new, renamed, removed). Every call
// that changes a file or a name is a step; `Crashed` holds the files as a crash
// before step `CrashAt` leaves them. One folder, "/d"; writes go to a file's
// end (the program appends or fills new files); nothing fails or is cut back.
class CrashingSystemCalls final : public platform::SystemCalls {
 public:
  using Files = std::map<std::string, std::string>;
  explicit CrashingSystemCalls(const Files& flushed, int crashAt = -1) : CrashAt(crashAt) {
    for (const auto& [name, bytes] : flushed) flushedNames_[name] = names_[name] = New(bytes, bytes);
  }
  // The files a crash now leaves, with their bytes.
  Files Crash() const {
    Files files;
    for (const auto& [name, inode] : flushedNames_) files[name] = inodes_[inode].Flushed;
    return files;
  }

  int Open(const char* path, int flags, mode_t) override {
    if (flags & O_DIRECTORY) return Descriptor({-1, path});
    auto found = names_.find(path);
    if (found != names_.end() && (flags & O_EXCL)) return Fail(EEXIST);
    if (found == names_.end()) {
      if (!(flags & O_CREAT) || Folder(path) != "/d") return Fail(ENOENT);
      Step();
      found = names_.emplace(path, New("", "")).first;
    }
    return Descriptor({found->second, path});
  }
  ssize_t Write(int fd, const void* data, std::size_t size) override {
    Step();
    inodes_[open_.at(fd).Inode].Bytes.append(static_cast<const char*>(data), size);
    return static_cast<ssize_t>(size);
  }
  ssize_t Read(int fd, void* data, std::size_t size) override {
    Handle& open = open_.at(fd);
    const std::size_t got = inodes_[open.Inode].Bytes.copy(static_cast<char*>(data), size, open.Offset);
    return open.Offset += got, static_cast<ssize_t>(got);
  }
  int Close(int fd) override { return open_.erase(fd) == 1 ? 0 : Fail(EBADF); }
  int Fsync(int fd) override {
    Step();
    const Handle& open = open_.at(fd);
    if (open.Inode >= 0) return inodes_[open.Inode].Flushed = inodes_[open.Inode].Bytes, 0;
    std::erase_if(flushedNames_, [&](const auto& name) { return Folder(name.first) == open.Path; });
    for (const auto& [name, inode] : names_) {
      if (Folder(name) == open.Path) flushedNames_[name] = inode;
    }
    return 0;
  }
  int Fstat(int fd, struct stat* status) override {
    return Regular(status, inodes_[open_.at(fd).Inode].Bytes.size()), 0;
  }
  int Lstat(const char* path, struct stat* status) override {
    Regular(status, 0);  // the same owner and mode as a new file: nothing to change
    return names_.contains(path) ? 0 : Fail(ENOENT);
  }
  int Fchmod(int, mode_t) override { return Step(), 0; }
  int Rename(const char* from, const char* to) override {
    if (!names_.contains(from)) return Fail(ENOENT);
    Step();
    names_[to] = names_.at(from);
    return names_.erase(from), 0;
  }
  int Unlink(const char* path) override { return Step(), names_.erase(path) == 1 ? 0 : Fail(ENOENT); }

  const int CrashAt;
  int Steps = 0;
  Files Crashed;

 private:
  struct Inode { std::string Bytes, Flushed; };
  struct Handle {
    int Inode;  // -1 for a folder
    std::string Path;
    std::size_t Offset = 0;  // of a read
  };
  static std::string Folder(const std::string& path) { return path.substr(0, path.rfind('/')); }
  static int Fail(int error) { return errno = error, -1; }
  static void Regular(struct stat* status, std::size_t size) {
    *status = {};
    status->st_mode = S_IFREG | 0644;
    status->st_size = static_cast<off_t>(size);
  }
  int New(std::string bytes, std::string flushed) {
    return inodes_.push_back({std::move(bytes), std::move(flushed)}), static_cast<int>(inodes_.size()) - 1;
  }
  int Descriptor(Handle open) { return open_[next_] = std::move(open), next_++; }
  void Step() {
    if (Steps++ == CrashAt) Crashed = Crash();
  }

  std::vector<Inode> inodes_;
  std::map<std::string, int> names_, flushedNames_;
  std::map<int, Handle> open_;
  int next_ = 3;
};

}  // namespace tarvo::testing
