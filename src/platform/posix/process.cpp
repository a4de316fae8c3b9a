#include "platform/process.h"

#include <langinfo.h>
#include <locale.h>
#include <unistd.h>

#include <system_error>

namespace tarvo::platform {

long ProcessId() { return static_cast<long>(getpid()); }

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path(error) : program.parent_path();
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void UseBinaryStandardStreams() {}

void UseStarterConsole() {}

std::optional<std::string> UserDecimalSeparator() {
  // An empty name takes the locale from LC_ALL, LC_NUMERIC or LANG, leaving
  // the process locale untouched.
  locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return std::nullopt;
  std::optional<std::string> answer;
  if (const char* radix = nl_langinfo_l(RADIXCHAR, locale); radix != nullptr && *radix != '\0') {
    answer = radix;
  }
  freelocale(locale);
  return answer;
}

}  // namespace tarvo::platform
