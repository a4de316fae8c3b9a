#include "file_baseline.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

namespace tarvo::bench {

void BareWrite(const std::filesystem::path& file, std::string_view bytes) {
  // The same whole-file replacement the editor does: a temporary file renamed over.
  std::filesystem::path temporary = file;
  temporary += ".part";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (::write(fd, bytes.data(), bytes.size()) < 0) return;
  ::close(fd);
  ::rename(temporary.c_str(), file.c_str());
}

void BareCopy(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::string bytes;
  const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  char buffer[65536];
  for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<std::size_t>(got));
  ::close(fd);
  BareWrite(to, bytes);
}

void BareAppend(const std::filesystem::path& file, std::string_view bytes) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (::write(fd, bytes.data(), bytes.size()) < 0) return;
  ::close(fd);
}

}  // namespace tarvo::bench
