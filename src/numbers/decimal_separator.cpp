#include "numbers/decimal_separator.h"

#include <numbers>

#include "platform/process.h"

namespace tarvo::numbers {

std::optional<std::string> SystemLocaleQuery::DecimalSeparator() {
  return platform::UserDecimalSeparator();
}

DecimalSeparatorReading ReadDecimalSeparator(LocaleQuery& query) {
  DecimalSeparatorReading reading;
  if (const auto answer = query.DecimalSeparator(); answer && !answer->empty()) {
    reading.Character = answer->front();
  }
  reading.Format.CommaLocale = reading.Character == ',';
  reading.Format.PiValue = std::numbers::pi_v<float>;
  return reading;
}

}  // namespace tarvo::numbers
