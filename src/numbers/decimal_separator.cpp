#include "numbers/decimal_separator.h"

#include <langinfo.h>
#include <locale.h>

#include <numbers>

namespace tarvo::numbers {

std::optional<std::string> SystemLocaleQuery::DecimalSeparator() {
  // An empty name takes the locale from LC_ALL, LC_NUMERIC or LANG.
  locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return std::nullopt;
  std::optional<std::string> answer;
  if (const char* radix = nl_langinfo_l(RADIXCHAR, locale); radix != nullptr && *radix != '\0') {
    answer = radix;
  }
  freelocale(locale);
  return answer;
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
