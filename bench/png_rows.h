// PNG row filtering: per row, the filter whose output has the smallest sum of magnitudes (the
// usual adaptive choice, as our PNG codec makes it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {

// `height` rows of one filter-type byte followed by `rowBytes` filtered bytes; `bpp` is the
// size of a pixel in bytes.
std::vector<std::uint8_t> FilterRows(const std::uint8_t* rows, std::size_t rowBytes,
                                     std::size_t height, std::size_t bpp);

}  // namespace bench
