#include "ui/preview/coin_messages.h"

#include <Inventor/SoDB.h>
#include <Inventor/errors/SoDebugError.h>
#include <Inventor/errors/SoError.h>
#include <Inventor/errors/SoMemoryError.h>
#include <Inventor/errors/SoReadError.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace tarvo::ui {
namespace {

bool verboseCoin = false;
ReadErrors* readErrors = nullptr;  // the innermost one alive

// Coin's read errors read "Coin read error: WHAT. MORE\n\tOccurred at line
// N in FILE"; the reason is "WHAT (line N)".
std::string Reason(std::string_view text) {
  constexpr std::string_view kPrefix = "Coin read error: ";
  constexpr std::string_view kAtLine = "Occurred at line ";
  if (text.starts_with(kPrefix)) text.remove_prefix(kPrefix.size());
  const std::size_t end = text.find('\n');
  std::string reason(text.substr(0, std::min(text.find(". "), end)));
  if (reason.ends_with('.')) reason.pop_back();
  if (end == std::string_view::npos) return reason;
  const std::size_t at = text.find(kAtLine, end);
  if (at == std::string_view::npos) return reason;
  std::string_view line = text.substr(at + kAtLine.size());
  line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
  line = line.substr(0, line.find(' '));
  return line.empty() ? reason : reason + " (line " + std::string(line) + ")";
}

void OnCoinMessage(const SoError* error, void*) {
  const std::string_view text = error->getDebugString().getString();
  if (readErrors != nullptr && error->isOfType(SoReadError::getClassTypeId())) {
    readErrors->Keep(Reason(text));
  }
  if (verboseCoin) std::cerr << text << '\n';
}

}  // namespace

ReadErrors::ReadErrors() : outer_(readErrors) { readErrors = this; }
ReadErrors::~ReadErrors() { readErrors = outer_; }

bool VerboseWanted(int argc, const char* const* argv) {
  const char* verbose = std::getenv(kVerboseVariable);
  if (verbose && *verbose && std::string_view(verbose) != "0") return true;
  return std::any_of(argv + 1, argv + argc, [](const char* arg) { return arg == kVerboseOption; });
}

void ShowCoinMessages(bool verbose) { verboseCoin = verbose; }

void StartCoin() {
  if (SoDB::isInitialized()) return;
  SoDB::init();
  // Each kind of message has its own handler; all go the same way.
  SoError::setHandlerCallback(OnCoinMessage, nullptr);
  SoDebugError::setHandlerCallback(OnCoinMessage, nullptr);
  SoReadError::setHandlerCallback(OnCoinMessage, nullptr);
  SoMemoryError::setHandlerCallback(OnCoinMessage, nullptr);
}

}  // namespace tarvo::ui
