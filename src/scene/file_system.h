#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvo::scene {

struct FileStatus {
  enum class Code { Ok, MissingSource, Failed };
  Code Result = Code::Ok;
  std::string Reason;          // the system's reason when Failed
  std::filesystem::path File;  // the file that failed, when a copy says which

  bool IsOk() const { return Result == Code::Ok; }
  static FileStatus Ok() { return {}; }
  static FileStatus Missing() { return {Code::MissingSource, "No such file or directory", {}}; }
  static FileStatus Failure(std::string reason, std::filesystem::path file = {}) {
    return {Code::Failed, std::move(reason), std::move(file)};
  }
};

// Whether a write must be on the disk before it is reported done: the tool
// table and its backup are, the preview's scratch files need not be.
enum class Durability { Scratch, Durable };

// The file operations the editor needs. Each opens, writes and closes within
// the one call; none leaves a truncated or half-written file behind.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Replaces the file's whole content.
  virtual FileStatus Write(const std::filesystem::path& file, std::string_view bytes,
                           Durability durability) = 0;
  // Appends all the bytes or, on failure, none of them.
  virtual FileStatus Append(const std::filesystem::path& file, std::string_view bytes,
                            Durability durability) = 0;
  // Copies the whole file over the destination; MissingSource when there is no
  // source. A failure names the file, source or destination, that failed.
  virtual FileStatus Copy(const std::filesystem::path& from, const std::filesystem::path& to,
                          Durability durability) = 0;
  // The file's whole content; MissingSource when there is no such file.
  virtual FileStatus Read(const std::filesystem::path& file, std::string& bytes) = 0;
};

// The system calls through which the real file system works; tests put
// interruptions, failures and crashes in their place. Each returns what the
// POSIX call of its name returns and sets errno as it does.
class SystemCalls {
 public:
  virtual ~SystemCalls() = default;
  virtual int Open(const char* path, int flags, mode_t mode);
  virtual ssize_t Write(int fd, const void* data, std::size_t size);
  virtual ssize_t Read(int fd, void* data, std::size_t size);
  virtual int Close(int fd);
  virtual int Fsync(int fd);
  virtual int Fstat(int fd, struct stat* status);
  virtual int Lstat(const char* path, struct stat* status);
  virtual ssize_t Readlink(const char* path, char* target, std::size_t size);
  virtual int Ftruncate(int fd, off_t length);
  virtual int Fchmod(int fd, mode_t mode);
  virtual int Fchown(int fd, uid_t owner, gid_t group);
  virtual int Rename(const char* from, const char* to);
  virtual int Unlink(const char* path);
  static SystemCalls& Real();
};

// The real file system. A whole-file write goes to a temporary file with a
// name of its own in the destination's folder, created exclusively, given the
// destination's mode and group, and renamed over the destination; a symbolic
// link is followed to the file it finally names, and stays. An append is one
// write; the file is cut back to its old length if it comes back short. A
// durable write is flushed, and so is its folder after a rename or a new file.
class PosixFileSystem final : public FileSystem {
 public:
  explicit PosixFileSystem(SystemCalls& calls = SystemCalls::Real()) : calls_(calls) {}
  FileStatus Write(const std::filesystem::path& file, std::string_view bytes,
                   Durability durability) override;
  FileStatus Append(const std::filesystem::path& file, std::string_view bytes,
                    Durability durability) override;
  FileStatus Copy(const std::filesystem::path& from, const std::filesystem::path& to,
                  Durability durability) override;
  FileStatus Read(const std::filesystem::path& file, std::string& bytes) override;

 private:
  SystemCalls& calls_;
};

// Removes the temporary files that a replacement in the folder left when its
// process was killed half-way. Only for the holder of the folder's lock: no
// other writer is then at work in it.
void RemoveLeftTemporaries(const std::filesystem::path& folder);

}  // namespace tarvo::scene
