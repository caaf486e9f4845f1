// Byte buffers: whole files and encoded pictures.
#pragma once

#include <cstdint>
#include <vector>

namespace rt {

using Bytes = std::vector<std::uint8_t>;

}  // namespace rt
