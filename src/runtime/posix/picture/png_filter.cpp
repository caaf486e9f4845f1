#include "runtime/posix/picture/png_filter.h"

#include <array>
#include <cstdlib>
#include <cstring>

namespace rt::picture {
namespace {

enum FilterType : std::uint8_t { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

// The loops below are kept free of branches and cross-iteration state (other than reading the
// source row) so that the compiler can vectorise them; the first pixel, which has no left
// neighbour, is handled apart.

void FilterSub(const std::uint8_t* row, std::size_t n, std::size_t bpp, std::uint8_t* out) {
  std::memcpy(out, row, bpp);
  for (std::size_t i = bpp; i < n; ++i) {
    out[i] = static_cast<std::uint8_t>(row[i] - row[i - bpp]);
  }
}

void FilterUp(const std::uint8_t* row, const std::uint8_t* above, std::size_t n,
              std::uint8_t* out) {
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = static_cast<std::uint8_t>(row[i] - above[i]);
  }
}

void FilterAverage(const std::uint8_t* row, const std::uint8_t* above, std::size_t n,
                   std::size_t bpp, std::uint8_t* out) {
  for (std::size_t i = 0; i < bpp; ++i) {
    out[i] = static_cast<std::uint8_t>(row[i] - (above[i] >> 1));
  }
  for (std::size_t i = bpp; i < n; ++i) {
    out[i] = static_cast<std::uint8_t>(row[i] - ((row[i - bpp] + above[i]) >> 1));
  }
}

void FilterPaeth(const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t bpp,
                 std::uint8_t* out) {
  // With no left neighbour the predictor is the byte above.
  for (std::size_t i = 0; i < bpp; ++i) {
    out[i] = static_cast<std::uint8_t>(row[i] - above[i]);
  }
  for (std::size_t i = bpp; i < n; ++i) {
    const int a = row[i - bpp], b = above[i], c = above[i - bpp];
    // Distances of a + b - c from a, b and c.
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    const int predicted = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
    out[i] = static_cast<std::uint8_t>(row[i] - predicted);
  }
}

// Sum of the bytes read as signed magnitudes: the usual estimate of how well a row compresses.
std::uint32_t Cost(const std::uint8_t* bytes, std::size_t n) {
  std::uint32_t cost = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t v = bytes[i];
    cost += v < 128 ? v : 256 - v;
  }
  return cost;
}

}  // namespace

PngRowFilter::PngRowFilter(std::size_t rowBytes, std::size_t bytesPerPixel, PngFilterChoice choice)
    : rowBytes_(rowBytes),
      bytesPerPixel_(bytesPerPixel),
      choice_(choice),
      zeroRow_(rowBytes, 0),
      scratch_(choice == PngFilterChoice::Adaptive ? rowBytes * 4 : 0),
      filtered_(rowBytes + 1) {}

std::span<const std::uint8_t> PngRowFilter::Filter(const std::uint8_t* row,
                                                   const std::uint8_t* above) {
  if (choice_ == PngFilterChoice::None) {
    filtered_[0] = kNone;
    std::memcpy(filtered_.data() + 1, row, rowBytes_);
    return filtered_;
  }
  if (above == nullptr) {
    above = zeroRow_.data();
  }
  const std::size_t n = rowBytes_;
  std::array<const std::uint8_t*, 5> candidates{row, scratch_.data(), scratch_.data() + n,
                                                scratch_.data() + 2 * n, scratch_.data() + 3 * n};
  FilterSub(row, n, bytesPerPixel_, scratch_.data());
  FilterUp(row, above, n, scratch_.data() + n);
  FilterAverage(row, above, n, bytesPerPixel_, scratch_.data() + 2 * n);
  FilterPaeth(row, above, n, bytesPerPixel_, scratch_.data() + 3 * n);

  std::size_t best = kNone;
  std::uint32_t bestCost = Cost(row, n);
  for (std::size_t type = kSub; type <= kPaeth; ++type) {
    const std::uint32_t cost = Cost(candidates[type], n);
    if (cost < bestCost) {
      bestCost = cost;
      best = type;
    }
  }
  filtered_[0] = static_cast<std::uint8_t>(best);
  std::memcpy(filtered_.data() + 1, candidates[best], n);
  return filtered_;
}

}  // namespace rt::picture
