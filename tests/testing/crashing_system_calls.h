#pragma once

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "scene/file_system.h"

namespace tarvo::testing {

// Files in memory behind the system-call seam that know what was flushed. A
// file's bytes reach its flushed bytes with fsync of the file; a folder's
// names (new, renamed, removed) reach its flushed names with fsync of the
// folder. A crash keeps the flushed state only. Every call that changes a file
// or a name is a step; `Crashed` holds the files as a crash before step
// `CrashAt` leaves them. Paths name files in one folder, "/d/usrprobe.dat";
// nothing fails, so nothing is cut back (ftruncate).
class CrashingSystemCalls final : public scene::SystemCalls {
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
    return Descriptor({found->second, path, 0, (flags & O_APPEND) != 0});
  }
  ssize_t Write(int fd, const void* data, std::size_t size) override {
    Step();
    Handle& open = open_.at(fd);
    std::string& bytes = inodes_[open.Inode].Bytes;
    if (open.Appends) open.Offset = bytes.size();
    bytes.resize(std::max(bytes.size(), open.Offset + size));
    bytes.replace(open.Offset, size, static_cast<const char*>(data), size);
    open.Offset += size;
    return static_cast<ssize_t>(size);
  }
  ssize_t Read(int fd, void* data, std::size_t size) override {
    Handle& open = open_.at(fd);
    const std::string& bytes = inodes_[open.Inode].Bytes;
    const std::size_t got = std::min(size, bytes.size() - std::min(bytes.size(), open.Offset));
    std::memcpy(data, bytes.data() + open.Offset, got);
    open.Offset += got;
    return static_cast<ssize_t>(got);
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
  struct Inode {
    std::string Bytes, Flushed;
  };
  struct Handle {
    int Inode;  // -1 for a folder
    std::string Path;
    std::size_t Offset = 0;
    bool Appends = false;
  };
  static std::string Folder(const std::string& path) { return path.substr(0, path.rfind('/')); }
  static int Fail(int error) { return errno = error, -1; }
  static void Regular(struct stat* status, std::size_t size) {
    *status = {};
    status->st_mode = S_IFREG | 0644;
    status->st_size = static_cast<off_t>(size);
  }
  int New(std::string bytes, std::string flushed) {
    inodes_.push_back({std::move(bytes), std::move(flushed)});
    return static_cast<int>(inodes_.size()) - 1;
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
