// PNG row filtering: turns picture rows into the filtered byte stream that IDAT compresses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace rt::picture {

enum class PngFilterChoice {
  None,      // every row unfiltered: right for palette indexes and packed pixels
  Adaptive,  // per row, the filter whose output has the smallest sum of magnitudes
};

// Filters a picture one row at a time, so that the filtered picture never has to be held whole.
class PngRowFilter {
 public:
  PngRowFilter(std::size_t rowBytes, std::size_t bytesPerPixel, PngFilterChoice choice);

  // The filtered form of `row` given the row above it (null for the first row): one filter-type
  // byte followed by rowBytes filtered bytes, valid until the next call.
  std::span<const std::uint8_t> Filter(const std::uint8_t* row, const std::uint8_t* above);

 private:
  std::size_t rowBytes_;
  std::size_t bytesPerPixel_;
  PngFilterChoice choice_;
  std::vector<std::uint8_t> zeroRow_;
  std::vector<std::uint8_t> scratch_;  // one row per filter other than None
  std::vector<std::uint8_t> filtered_;
};

}  // namespace rt::picture
