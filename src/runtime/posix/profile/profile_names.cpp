#include "runtime/posix/profile/profile_names.h"

#include <cstddef>

namespace rt::profile {
namespace {

bool IsAsciiLetter(char c) noexcept {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char ToLowerAscii(char c) noexcept {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsSingleByteCharacterStart(std::string_view name, std::size_t index) noexcept {
  return index == 0 || static_cast<unsigned char>(name[index - 1]) < 0x80;
}

}  // namespace

bool IsLineBlank(char c) noexcept {
  return c == ' ' || c == '\t' || c == '\v';
}

std::string_view TrimLineBlanks(std::string_view text) noexcept {
  while (!text.empty() && IsLineBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsLineBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::string_view TrimTrailingSpaces(std::string_view text) noexcept {
  while (!text.empty() && text.back() == ' ') {
    text.remove_suffix(1);
  }
  return text;
}

std::string_view TrimSpaces(std::string_view text) noexcept {
  while (!text.empty() && text.front() == ' ') {
    text.remove_prefix(1);
  }
  return TrimTrailingSpaces(text);
}

bool NamesMatch(std::string_view asked, std::string_view inFile) noexcept {
  if (asked.size() != inFile.size()) {
    return false;
  }
  for (std::size_t i = 0; i < asked.size(); ++i) {
    const char a = asked[i];
    const char b = inFile[i];
    if (a == b) {
      continue;
    }
    // Bytes before i matched, so both names agree on whether byte i may be a trail byte.
    const bool foldable = IsAsciiLetter(a) && IsSingleByteCharacterStart(asked, i);
    if (!foldable || ToLowerAscii(a) != ToLowerAscii(b)) {
      return false;
    }
  }
  return true;
}

}  // namespace rt::profile
