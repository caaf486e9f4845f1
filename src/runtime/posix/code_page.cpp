// The system code page of this platform is UTF-8.
#include "runtime/code_page.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace rt {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one character at `at`, moving past it; a malformed sequence gives U+FFFD for its
// first byte, so that decoding always moves on.
char32_t DecodeUtf8(const unsigned char* text, std::size_t length, std::size_t& at) {
  const unsigned char lead = text[at++];
  if (lead < 0x80)
    return lead;
  int trailCount = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    trailCount = 1, value = lead & 0x1FU, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    trailCount = 2, value = lead & 0x0FU, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    trailCount = 3, value = lead & 0x07U, minimum = 0x10000;
  } else {
    return kReplacement;
  }
  std::size_t next = at;
  for (int trail = 0; trail < trailCount; ++trail) {
    if (next >= length || (text[next] & 0xC0U) != 0x80U) {
      return kReplacement;
    }
    value = (value << 6U) | (text[next++] & 0x3FU);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return kReplacement;
  }
  at = next;
  return value;
}

}  // namespace

int MultiByteToWideChar(unsigned /*codePage*/, unsigned /*flags*/, const char* text, int length,
                        char16_t* wide, int capacity) {
  if (text == nullptr || length == 0 || length < -1 || capacity < 0 ||
      (capacity > 0 && wide == nullptr)) {
    return 0;
  }
  const std::size_t byteCount =
      length == -1 ? std::strlen(text) + 1 : static_cast<std::size_t>(length);
  const auto* const bytes = reinterpret_cast<const unsigned char*>(text);
  std::size_t units = 0;
  std::size_t at = 0;
  while (at < byteCount) {
    const char32_t character = DecodeUtf8(bytes, byteCount, at);
    const std::size_t needed = character > 0xFFFF ? 2 : 1;
    if (capacity > 0) {
      if (units + needed > static_cast<std::size_t>(capacity)) {
        return 0;
      }
      if (needed == 2) {
        const char32_t offset = character - 0x10000;
        wide[units] = static_cast<char16_t>(0xD800 + (offset >> 10U));
        wide[units + 1] = static_cast<char16_t>(0xDC00 + (offset & 0x3FFU));
      } else {
        wide[units] = static_cast<char16_t>(character);
      }
    }
    units += needed;
    if (units > static_cast<std::size_t>(INT32_MAX)) {
      return 0;
    }
  }
  return static_cast<int>(units);
}

}  // namespace rt
