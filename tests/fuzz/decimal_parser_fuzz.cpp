// libFuzzer target: the value checks' parser and number texts on any input.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "numbers/decimal_parser.h"
#include "numbers/number_text.h"
#include "numbers/value_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const char separator : {'.', ','}) {
    if (const auto value = tarvo::numbers::ParseDecimal(text, separator)) {
      if (std::isnan(*value)) std::abort();
      // Whatever parses renders and reads back without a crash.
      const std::string rendered = tarvo::numbers::DoubleText(*value, separator);
      if (std::isfinite(*value) && !tarvo::numbers::ParseDecimal(rendered, separator)) std::abort();
      (void)tarvo::numbers::CoordinateText(*value);
    }
    const tarvo::numbers::NumberFormat format{separator == ','};
    const auto check = tarvo::numbers::CheckSpelling(text, "HEIGHT", format);
    if (!check.ValuesInvalid && !(check.FieldValue > 0 && std::isfinite(check.FieldValue))) std::abort();
  }
  (void)tarvo::numbers::ParseEdgeCount(text);
  return 0;
}
