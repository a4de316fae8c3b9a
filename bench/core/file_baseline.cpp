#include "file_baseline.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

namespace tarvo::bench {
namespace {

void FlushFolder(const std::filesystem::path& file) {
  const int fd = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void BareWrite(const std::filesystem::path& file, std::string_view bytes, bool flush) {
  // The same whole-file replacement the editor does: a temporary file renamed over.
  std::filesystem::path temporary = file;
  temporary += ".part";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (::write(fd, bytes.data(), bytes.size()) < 0) return;
  if (flush) ::fsync(fd);
  ::close(fd);
  ::rename(temporary.c_str(), file.c_str());
  if (flush) FlushFolder(file);
}

void BareCopy(const std::filesystem::path& from, const std::filesystem::path& to, bool flush) {
  std::string bytes;
  const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  char buffer[65536];
  for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
    bytes.append(buffer, static_cast<std::size_t>(got));
  ::close(fd);
  BareWrite(to, bytes, flush);
}

void BareAppend(const std::filesystem::path& file, std::string_view bytes, bool flush) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (::write(fd, bytes.data(), bytes.size()) < 0) return;
  if (flush) ::fsync(fd);
  ::close(fd);
}

}  // namespace tarvo::bench
