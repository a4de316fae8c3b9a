#pragma once

#include <chrono>

namespace tarvo::platform {

// What DiskFileSystem asks of Windows besides the file calls themselves;
// tests shorten the wait.
class SystemCalls {
 public:
  virtual ~SystemCalls() = default;
  // How long a file that another program holds open is tried again before
  // the write is reported as failed.
  virtual std::chrono::milliseconds InUsePatience() const { return std::chrono::milliseconds{2000}; }
  static SystemCalls& Real();
};

}  // namespace tarvo::platform
