#pragma once

#include <filesystem>
#include <functional>
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

// A whole-file write made in two steps, see FileSystem::Stage.
struct StagedFile {
  std::filesystem::path Temporary;  // the bytes, beside the file
  std::filesystem::path File;       // the place they go
  Durability Durable = Durability::Scratch;
};

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
  // Write in two steps: Stage writes the bytes to a temporary file beside
  // `file`, Commit puts that in the file's place, Discard removes it again
  // (as a Commit that fails does). Until the Commit the file is as it was.
  virtual FileStatus Stage(const std::filesystem::path& file, std::string_view bytes,
                           Durability durability, StagedFile& staged) = 0;
  virtual FileStatus Commit(const StagedFile& staged) = 0;
  virtual void Discard(const StagedFile& staged) = 0;
};

// A change of `file` with a backup of it in `backup`, as EXPORT, Edit and
// Remove make it. The file's bytes are staged beside the backup first; they
// take the backup's place only once `change` succeeded, so that a change that
// fails leaves the backup byte for byte as it was. A crash at any point
// leaves the backup whole, older or new. A missing file makes no backup.
struct BackedUpChange {
  FileStatus Status;     // the first failure, naming its file
  bool Changed = false;  // `change` succeeded (then only the backup may have failed)
};
BackedUpChange ChangeWithBackup(FileSystem& files, const std::filesystem::path& file,
                                const std::filesystem::path& backup,
                                const std::function<FileStatus()>& change);

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
  FileStatus Stage(const std::filesystem::path& file, std::string_view bytes, Durability durability,
                   StagedFile& staged) override;
  FileStatus Commit(const StagedFile& staged) override;
  void Discard(const StagedFile& staged) override;

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
