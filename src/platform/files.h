#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvo::platform {

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

// The reason given, on every system alike, when another program holds the
// file open so that it can be neither replaced nor appended to.
inline constexpr std::string_view kFileInUse = "the file is in use by another program";

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

// The system calls through which the disk is used; tests put interruptions,
// failures and crashes in their place. Each system declares its own in
// platform/posix/system_calls.h or platform/windows/system_calls.h.
class SystemCalls;

// The files on the disk, byte for byte (no line ends are translated). A
// whole-file write goes to a temporary file with a name of its own in the
// destination's folder, .NAME.PROCESS-NUMBER.tmp, created exclusively, given
// the destination's permissions, and put in the destination's place; a
// symbolic link is followed to the file it finally names, and stays. An append
// is one write; the file is cut back to its old length if it comes back short.
// A durable write is flushed, and so is its folder's new name. A file that
// another program holds open is waited for a short while, then reported as
// kFileInUse.
class DiskFileSystem final : public FileSystem {
 public:
  DiskFileSystem();
  explicit DiskFileSystem(SystemCalls& calls) : calls_(calls) {}
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

// Whether a file name is one of the temporary files a replacement makes.
bool IsTemporaryName(const std::string& name);

// Removes the temporary files that a replacement in the folder left when its
// process was killed half-way. Only for the holder of the folder's lock: no
// other writer is then at work in it.
void RemoveLeftTemporaries(const std::filesystem::path& folder);

}  // namespace tarvo::platform
