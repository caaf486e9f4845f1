// Class ids: the 16-byte names of the picture encoders, and the text form they are written in.
#pragma once

#include <array>
#include <cstdint>

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

// Parses the registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" of a zero-terminated UTF-16
// text. On failure `id` is left as it was (null text included) and kBadClassString returned.
HResult CLSIDFromString(const char16_t* text, ClassId* id);

}  // namespace rt
