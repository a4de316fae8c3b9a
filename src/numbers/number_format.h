#pragma once

namespace tarvo::numbers {

// The editor's decimal separator and circle constant, fixed once at start-up
// from the user's locale.
struct NumberFormat {
  bool CommaLocale = false;        // LocaleCode "ITA"
  float PiValue = 3.14159265358979323846F;

  char Separator() const { return CommaLocale ? ',' : '.'; }
  const char* LocaleCode() const { return CommaLocale ? "ITA" : ""; }
};

}  // namespace tarvo::numbers
