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

std::vector<std::uint8_t> FilterRows(const std::uint8_t* rows, std::size_t rowBytes,
                                     std::size_t height, std::size_t bytesPerPixel,
                                     PngFilterChoice choice) {
  std::vector<std::uint8_t> filtered((rowBytes + 1) * height);
  if (choice == PngFilterChoice::None) {
    for (std::size_t y = 0; y < height; ++y) {
      std::uint8_t* out = filtered.data() + y * (rowBytes + 1);
      out[0] = kNone;
      std::memcpy(out + 1, rows + y * rowBytes, rowBytes);
    }
    return filtered;
  }

  const std::size_t bpp = bytesPerPixel;
  const std::vector<std::uint8_t> zeroRow(rowBytes, 0);
  // One scratch row per filter other than None; the winner is copied to the output.
  std::vector<std::uint8_t> scratch(rowBytes * 4);
  std::array<std::uint8_t*, 5> candidates{nullptr, scratch.data(), scratch.data() + rowBytes,
                                          scratch.data() + 2 * rowBytes,
                                          scratch.data() + 3 * rowBytes};
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t* row = rows + y * rowBytes;
    const std::uint8_t* above = y > 0 ? row - rowBytes : zeroRow.data();
    FilterSub(row, rowBytes, bpp, candidates[kSub]);
    FilterUp(row, above, rowBytes, candidates[kUp]);
    FilterAverage(row, above, rowBytes, bpp, candidates[kAverage]);
    FilterPaeth(row, above, rowBytes, bpp, candidates[kPaeth]);
    candidates[kNone] = const_cast<std::uint8_t*>(row);

    std::size_t best = kNone;
    std::uint32_t bestCost = Cost(row, rowBytes);
    for (std::size_t type = kSub; type <= kPaeth; ++type) {
      const std::uint32_t cost = Cost(candidates[type], rowBytes);
      if (cost < bestCost) {
        bestCost = cost;
        best = type;
      }
    }
    std::uint8_t* out = filtered.data() + y * (rowBytes + 1);
    out[0] = static_cast<std::uint8_t>(best);
    std::memcpy(out + 1, candidates[best], rowBytes);
  }
  return filtered;
}

}  // namespace rt::picture
