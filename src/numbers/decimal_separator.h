#pragma once

#include <optional>
#include <string>

#include "numbers/number_format.h"

namespace tarvo::numbers {

// The platform's answer to "what is the user's decimal separator?".
class LocaleQuery {
 public:
  virtual ~LocaleQuery() = default;
  // The separator text of the user's locale, or nothing when the query fails.
  virtual std::optional<std::string> DecimalSeparator() = 0;
};

// The user's locale as the system keeps it: LC_NUMERIC (or LANG) on POSIX,
// the user's settings on Windows.
class SystemLocaleQuery final : public LocaleQuery {
 public:
  std::optional<std::string> DecimalSeparator() override;
};

// A fixed answer: the replay's --decimal-separator and the tests.
class FixedLocaleQuery final : public LocaleQuery {
 public:
  explicit FixedLocaleQuery(std::optional<std::string> answer) : answer_(std::move(answer)) {}
  std::optional<std::string> DecimalSeparator() override { return answer_; }

 private:
  std::optional<std::string> answer_;
};

struct DecimalSeparatorReading {
  char Character = 'a';  // the first character of the answer; 'a' when the query failed
  NumberFormat Format;
};

// Asks the locale once: a comma makes the editor a comma locale ("ITA"), any
// other answer or a failed query leaves the point. Also fixes PiValue.
DecimalSeparatorReading ReadDecimalSeparator(LocaleQuery& query);

}  // namespace tarvo::numbers
