#include "definition/code_page.h"

#include <array>
#include <cstdint>

namespace tarvo::definition {
namespace {

// The code points of the bytes 0x80..0x9F; 0 where the code page has none.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ByteOf(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == code) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence at `at`; returns its length, or 0 when invalid.
std::size_t Decode(std::string_view text, std::size_t at, char32_t& code) {
  const auto lead = static_cast<std::uint8_t>(text[at]);
  std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                        : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || at + length > text.size()) return 0;
  code = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<std::uint8_t>(text[at + i]);
    if ((next >> 6) != 0x2) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::string ToWindows1252(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    char32_t code = 0;
    const std::size_t length = Decode(utf8, at, code);
    if (length == 0) {
      bytes += '?';
      ++at;
    } else {
      bytes += ByteOf(code);
      at += length;
    }
  }
  return bytes;
}

std::optional<std::string> FirstOutsideWindows1252(std::string_view utf8) {
  for (std::size_t at = 0; at < utf8.size();) {
    char32_t code = 0;
    const std::size_t length = Decode(utf8, at, code);
    if (length == 0) return "\uFFFD";
    if (ByteOf(code) == '?' && code != '?') return std::string(utf8.substr(at, length));
    at += length;
  }
  return std::nullopt;
}

std::string FromWindows1252(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto value = static_cast<std::uint8_t>(byte);
    const char32_t code = value >= 0x80 && value < 0xA0 ? kHighControls[value - 0x80] : value;
    if (code == 0 && value != 0) {
      utf8 += '?';
    } else if (code < 0x80) {
      utf8 += static_cast<char>(code);
    } else if (code < 0x800) {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (code >> 12));
      utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return utf8;
}

}  // namespace tarvo::definition
