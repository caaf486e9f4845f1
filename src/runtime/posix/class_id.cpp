#include "runtime/class_id.h"

#include <cstddef>

namespace rt {
namespace {

constexpr std::size_t kClassIdLength = 38;  // "{" 8-4-4-4-12 hexadecimal digits "}"

int HexValue(char16_t unit) {
  if (unit >= u'0' && unit <= u'9')
    return unit - u'0';
  if (unit >= u'a' && unit <= u'f')
    return unit - u'a' + 10;
  if (unit >= u'A' && unit <= u'F')
    return unit - u'A' + 10;
  return -1;
}

// Reads `digits` hexadecimal digits at `at`, moving past them. False on any other unit.
bool ReadHex(const char16_t* text, std::size_t& at, int digits, std::uint32_t& value) {
  std::uint32_t read = 0;
  for (int digit = 0; digit < digits; ++digit) {
    const int nibble = HexValue(text[at++]);
    if (nibble < 0) {
      return false;
    }
    read = (read << 4U) | static_cast<std::uint32_t>(nibble);
  }
  value = read;
  return true;
}

bool Expect(const char16_t* text, std::size_t& at, char16_t unit) {
  return text[at++] == unit;
}

}  // namespace

HResult CLSIDFromString(const char16_t* text, ClassId* id) {
  if (id == nullptr) {
    return kInvalidArgument;
  }
  if (text == nullptr) {
    *id = ClassId{};
    return kOk;
  }
  // The text must be exactly 38 units: stop at its terminator before reading past it.
  std::size_t length = 0;
  while (length <= kClassIdLength && text[length] != u'\0') {
    ++length;
  }
  if (length != kClassIdLength) {
    return kBadClassString;
  }
  ClassId parsed;
  std::size_t at = 0;
  std::uint32_t value = 0;
  if (!Expect(text, at, u'{') || !ReadHex(text, at, 8, parsed.data1) || !Expect(text, at, u'-') ||
      !ReadHex(text, at, 4, value)) {
    return kBadClassString;
  }
  parsed.data2 = static_cast<std::uint16_t>(value);
  if (!Expect(text, at, u'-') || !ReadHex(text, at, 4, value)) {
    return kBadClassString;
  }
  parsed.data3 = static_cast<std::uint16_t>(value);
  for (std::size_t byte = 0; byte < parsed.data4.size(); ++byte) {
    const bool groupStarts = byte == 0 || byte == 2;
    if (groupStarts && !Expect(text, at, u'-')) {
      return kBadClassString;
    }
    if (!ReadHex(text, at, 2, value)) {
      return kBadClassString;
    }
    parsed.data4[byte] = static_cast<std::uint8_t>(value);
  }
  if (!Expect(text, at, u'}')) {
    return kBadClassString;
  }
  *id = parsed;
  return kOk;
}

}  // namespace rt
