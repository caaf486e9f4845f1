// PNG row filtering: turns picture rows into the filtered byte stream that IDAT compresses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rt::picture {

enum class PngFilterChoice {
  None,      // every row unfiltered: right for palette indexes and packed pixels
  Adaptive,  // per row, the filter whose output has the smallest sum of magnitudes
};

// Returns height rows of 1 filter-type byte followed by rowBytes filtered bytes.
std::vector<std::uint8_t> FilterRows(const std::uint8_t* rows, std::size_t rowBytes,
                                     std::size_t height, std::size_t bytesPerPixel,
                                     PngFilterChoice choice);

}  // namespace rt::picture
