// PNG row filtering for 8-bit RGB rows: per row, the filter whose output has the smallest sum
// of magnitudes (the usual adaptive choice, as our PNG codec makes it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {

// `height` rows of one filter-type byte followed by `rowBytes` filtered bytes.
std::vector<std::uint8_t> FilterRgbRows(const std::uint8_t* rows, std::size_t rowBytes,
                                        std::size_t height);

}  // namespace bench
