#include "state/text_to_integer.h"

#include <cstddef>
#include <string>

namespace {

bool IsLeadByte(unsigned char byte) {
  return byte >= 0x80;
}

// Full-width digits, signs and spaces typed with a Chinese input method read as their ASCII
// forms. Every byte from 0x80 up starts a double-byte character, whatever the system code page.
std::string FoldFullWidthForms(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const auto first = static_cast<unsigned char>(text[at]);
    if (!IsLeadByte(first)) {
      folded.push_back(static_cast<char>(first));
      ++at;
      continue;
    }
    if (at + 1 == text.size()) {
      break;  // a lead byte with no second byte is dropped
    }
    const auto second = static_cast<unsigned char>(text[at + 1]);
    at += 2;
    if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) {
      folded.push_back(static_cast<char>(second - 0x80));
    } else if (first == 0xA1 && second == 0xA1) {
      folded.push_back(' ');
    } else if (first == 0xA1 && second == 0xAB) {
      folded.push_back('~');
    } else if (first == 0xA1 && (second == 0xEE || second == 0xEF)) {
      folded.push_back('*');
    } else {
      folded.push_back(static_cast<char>(first));
      folded.push_back(static_cast<char>(second));
    }
  }
  return folded;
}

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int32_t TextToInteger(std::string_view text) {
  const std::string folded = FoldFullWidthForms(text);
  std::size_t at = 0;
  while (at < folded.size() && IsWhiteSpace(folded[at])) {
    ++at;
  }
  bool negative = false;
  if (at < folded.size() && (folded[at] == '+' || folded[at] == '-')) {
    negative = folded[at] == '-';
    ++at;
  }
  // Unsigned arithmetic wraps without undefined behaviour; the result is its 32-bit pattern.
  std::uint32_t value = 0;
  while (at < folded.size() && folded[at] >= '0' && folded[at] <= '9') {
    value = value * 10U + static_cast<std::uint32_t>(folded[at] - '0');
    ++at;
  }
  if (negative) {
    value = 0U - value;
  }
  return static_cast<std::int32_t>(value);
}
