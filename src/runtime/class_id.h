// Class ids: the 16-byte names of the picture encoders, and the text form they are written in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/memory_stream.h"

namespace rt {

struct ClassId {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};
  friend bool operator==(const ClassId&, const ClassId&) = default;
};
static_assert(sizeof(ClassId) == 16);

// The picture library's built-in encoders, in registry form. These texts are the one place the
// ids are written: the program names them in its format table, and the Linux picture library
// parses them into its encoder table when it is compiled.
inline constexpr std::string_view kBmpEncoderClassId = "{557CF400-1A04-11D3-9A73-0000F81EF32E}";
inline constexpr std::string_view kJpegEncoderClassId = "{557CF401-1A04-11D3-9A73-0000F81EF32E}";
inline constexpr std::string_view kGifEncoderClassId = "{557CF402-1A04-11D3-9A73-0000F81EF32E}";
inline constexpr std::string_view kTiffEncoderClassId = "{557CF405-1A04-11D3-9A73-0000F81EF32E}";
inline constexpr std::string_view kPngEncoderClassId = "{557CF406-1A04-11D3-9A73-0000F81EF32E}";

inline constexpr std::size_t kClassIdTextLength = 38;  // "{" 8-4-4-4-12 hexadecimal digits "}"

namespace class_id_text {

template <typename Unit>
constexpr int HexValue(Unit unit) {
  if (unit >= Unit{'0'} && unit <= Unit{'9'}) {
    return unit - Unit{'0'};
  }
  if (unit >= Unit{'a'} && unit <= Unit{'f'}) {
    return unit - Unit{'a'} + 10;
  }
  if (unit >= Unit{'A'} && unit <= Unit{'F'}) {
    return unit - Unit{'A'} + 10;
  }
  return -1;
}

// Reads `digits` hexadecimal digits at `at`, moving past them. False on any other unit; the
// caller has made sure that the digits lie inside the text.
template <typename Unit>
constexpr bool ReadHex(std::basic_string_view<Unit> text, std::size_t& at, int digits,
                       std::uint32_t& value) {
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

}  // namespace class_id_text

// Parses the registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", digits in either case, of
// exactly that length. On failure `id` is left as it was and false returned. Serves narrow texts
// when the program is compiled and UTF-16 texts at run time.
template <typename Unit>
constexpr bool ParseClassId(std::basic_string_view<Unit> text, ClassId& id) {
  using class_id_text::ReadHex;
  if (text.size() != kClassIdTextLength) {
    return false;
  }
  ClassId parsed;
  std::size_t at = 0;
  std::uint32_t value = 0;
  if (text[at++] != Unit{'{'} || !ReadHex(text, at, 8, parsed.data1) || text[at++] != Unit{'-'} ||
      !ReadHex(text, at, 4, value)) {
    return false;
  }
  parsed.data2 = static_cast<std::uint16_t>(value);
  if (text[at++] != Unit{'-'} || !ReadHex(text, at, 4, value)) {
    return false;
  }
  parsed.data3 = static_cast<std::uint16_t>(value);
  for (std::size_t byte = 0; byte < parsed.data4.size(); ++byte) {
    const bool groupStarts = byte == 0 || byte == 2;
    if (groupStarts && text[at++] != Unit{'-'}) {
      return false;
    }
    if (!ReadHex(text, at, 2, value)) {
      return false;
    }
    parsed.data4[byte] = static_cast<std::uint8_t>(value);
  }
  if (text[at] != Unit{'}'}) {
    return false;
  }
  id = parsed;
  return true;
}

// Never defined: a text that is no class id stops the build where ClassIdOf reaches it.
void ClassIdTextIsNotInRegistryForm();

// The class id a registry-form text names, worked out when the program is compiled.
consteval ClassId ClassIdOf(std::string_view text) {
  ClassId id;
  if (!ParseClassId(text, id)) {
    ClassIdTextIsNotInRegistryForm();
  }
  return id;
}

// Parses the registry form of a zero-terminated UTF-16 text. On failure `id` is left as it was
// and kBadClassString returned; a null text gives the all-zero id.
HResult CLSIDFromString(const char16_t* text, ClassId* id);

}  // namespace rt
