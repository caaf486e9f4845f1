#include "runtime/posix/picture/png_filter.h"

#include <array>
#include <cstdlib>
#include <cstring>

namespace rt::picture {
namespace {

enum FilterType : std::uint8_t { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

std::uint8_t PaethPredictor(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a);
  const int pb = std::abs(p - b);
  const int pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) {
    return static_cast<std::uint8_t>(a);
  }
  return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// Magnitude of a filtered byte read as a signed value: the usual cost estimate for a row.
inline std::uint32_t Cost(std::uint8_t value) {
  return value < 128 ? value : 256u - value;
}

// Writes one filter's output for a row and returns its cost. `above` is all zero for row 0.
template <FilterType kType>
std::uint32_t Apply(const std::uint8_t* row, const std::uint8_t* above, std::size_t rowBytes,
                    std::size_t bpp, std::uint8_t* out) {
  std::uint32_t cost = 0;
  for (std::size_t i = 0; i < rowBytes; ++i) {
    const int left = i >= bpp ? row[i - bpp] : 0;
    const int up = above[i];
    const int upLeft = i >= bpp ? above[i - bpp] : 0;
    int predicted = 0;
    if constexpr (kType == kSub) {
      predicted = left;
    } else if constexpr (kType == kUp) {
      predicted = up;
    } else if constexpr (kType == kAverage) {
      predicted = (left + up) >> 1;
    } else if constexpr (kType == kPaeth) {
      predicted = PaethPredictor(left, up, upLeft);
    }
    out[i] = static_cast<std::uint8_t>(row[i] - predicted);
    cost += Cost(out[i]);
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

  const std::vector<std::uint8_t> zeroRow(rowBytes, 0);
  // One scratch row per filter other than None; the winner is copied to the output.
  std::vector<std::uint8_t> scratch(rowBytes * 4);
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t* row = rows + y * rowBytes;
    const std::uint8_t* above = y > 0 ? row - rowBytes : zeroRow.data();
    std::array<std::uint32_t, 5> costs{};
    for (std::size_t i = 0; i < rowBytes; ++i) {
      costs[kNone] += Cost(row[i]);
    }
    std::uint8_t* candidates = scratch.data();
    costs[kSub] = Apply<kSub>(row, above, rowBytes, bytesPerPixel, candidates);
    costs[kUp] = Apply<kUp>(row, above, rowBytes, bytesPerPixel, candidates + rowBytes);
    costs[kAverage] =
        Apply<kAverage>(row, above, rowBytes, bytesPerPixel, candidates + 2 * rowBytes);
    costs[kPaeth] = Apply<kPaeth>(row, above, rowBytes, bytesPerPixel, candidates + 3 * rowBytes);

    std::size_t best = kNone;
    for (std::size_t type = kSub; type <= kPaeth; ++type) {
      if (costs[type] < costs[best]) {
        best = type;
      }
    }
    std::uint8_t* out = filtered.data() + y * (rowBytes + 1);
    out[0] = static_cast<std::uint8_t>(best);
    const std::uint8_t* chosen = best == kNone ? row : candidates + (best - 1) * rowBytes;
    std::memcpy(out + 1, chosen, rowBytes);
  }
  return filtered;
}

}  // namespace rt::picture
