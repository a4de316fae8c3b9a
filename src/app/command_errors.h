#pragma once

#include <iostream>
#include <string>

// How tarvo-library ends: its exit statuses and its two kinds of error line.
enum Status { kOk = 0, kProblems = 1, kBadCommand = 2, kFileFailed = 3, kNotRebuildable = 4 };

// A wrong command line: what is wrong in one line, then where the usage is.
inline int UsageError(const std::string& what) {
  std::cerr << "tarvo-library: " << what << "\nTry 'tarvo-library --help'.\n";
  return kBadCommand;
}

inline int Failure(int status, const std::string& what) {
  std::cerr << "tarvo-library: " << what << "\n";
  return status;
}
