#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvo::scene {

struct FileStatus {
  enum class Code { Ok, MissingSource, Failed };
  Code Result = Code::Ok;
  std::string Reason;           // the system's reason when Failed
  std::filesystem::path File;   // the file that failed, when a copy says which

  bool IsOk() const { return Result == Code::Ok; }
  static FileStatus Ok() { return {}; }
  static FileStatus Missing() { return {Code::MissingSource, "No such file or directory", {}}; }
  static FileStatus Failure(std::string reason, std::filesystem::path file = {}) {
    return {Code::Failed, std::move(reason), std::move(file)};
  }
};

// The file operations the editor needs. Each opens, writes and closes within
// the one call; none leaves a truncated or half-written file behind.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Replaces the file's whole content.
  virtual FileStatus Write(const std::filesystem::path& file, std::string_view bytes) = 0;
  // Appends all the bytes or, on failure, none of them.
  virtual FileStatus Append(const std::filesystem::path& file, std::string_view bytes) = 0;
  // Copies the whole file over the destination; MissingSource when there is no
  // source. A failure names the file, source or destination, that failed.
  virtual FileStatus Copy(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  // The file's whole content; MissingSource when there is no such file.
  virtual FileStatus Read(const std::filesystem::path& file, std::string& bytes) = 0;
};

// The system calls through which the real file system writes, reads and
// closes; tests put interruptions and failures in their place.
struct SystemCalls {
  ssize_t (*Write)(int fd, const void* data, std::size_t size);
  ssize_t (*Read)(int fd, void* data, std::size_t size);
  int (*Close)(int fd);
  static SystemCalls Real();
};

// The real file system: whole-file writes and copies go through a temporary
// file in the same directory that is renamed over the destination; an append
// is one write, and the file is cut back to its old length if it comes back short.
class PosixFileSystem final : public FileSystem {
 public:
  explicit PosixFileSystem(SystemCalls calls = SystemCalls::Real()) : calls_(calls) {}
  FileStatus Write(const std::filesystem::path& file, std::string_view bytes) override;
  FileStatus Append(const std::filesystem::path& file, std::string_view bytes) override;
  FileStatus Copy(const std::filesystem::path& from, const std::filesystem::path& to) override;
  FileStatus Read(const std::filesystem::path& file, std::string& bytes) override;

 private:
  SystemCalls calls_;
};

}  // namespace tarvo::scene
