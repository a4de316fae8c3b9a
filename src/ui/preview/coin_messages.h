#pragma once

#include <string>
#include <string_view>

namespace tarvo::ui {

// The user asks for Coin's own warnings with --verbose among the program's
// arguments or TARVO_VERBOSE set (to anything but 0).
inline constexpr std::string_view kVerboseOption = "--verbose";
inline constexpr const char* kVerboseVariable = "TARVO_VERBOSE";
bool VerboseWanted(int argc, const char* const* argv);

// Coin's warnings and errors reach standard error only when `verbose`
// (false until said otherwise).
void ShowCoinMessages(bool verbose);
// Starts Coin for the program, once; the 3D preview does.
void StartCoin();

// While one is alive, the first error Coin reports on reading a scene is
// kept as a short reason: its first sentence and the line ("Premature end of
// file (line 12)").
class ReadErrors {
 public:
  ReadErrors();
  ~ReadErrors();
  ReadErrors(const ReadErrors&) = delete;
  ReadErrors& operator=(const ReadErrors&) = delete;

  const std::string& First() const { return first_; }
  void Keep(std::string reason) {
    if (first_.empty()) first_ = std::move(reason);
  }

 private:
  std::string first_;
  ReadErrors* outer_;
};

}  // namespace tarvo::ui
