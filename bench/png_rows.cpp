#include "png_rows.h"

#include <array>
#include <cstdlib>
#include <cstring>

namespace bench {
namespace {

// Written without branches in the loops so that the compiler vectorises them. The pixel size
// `bpp` is a run-time value on purpose: with the constant 3, GCC 12 vectorises these loops so
// much worse that filtering takes twice as long.
void Sub(const std::uint8_t* row, std::size_t n, std::size_t bpp, std::uint8_t* out) {
  std::memcpy(out, row, bpp);
  for (std::size_t i = bpp; i < n; ++i) {
    out[i] = static_cast<std::uint8_t>(row[i] - row[i - bpp]);
  }
}

void Up(const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::uint8_t* out) {
  for (std::size_t i = 0; i < n; ++i) {
    out[i] = static_cast<std::uint8_t>(row[i] - above[i]);
  }
}

void Average(const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t bpp,
             std::uint8_t* out) {
  for (std::size_t i = 0; i < bpp; ++i) {
    out[i] = static_cast<std::uint8_t>(row[i] - (above[i] >> 1));
  }
  for (std::size_t i = bpp; i < n; ++i) {
    out[i] = static_cast<std::uint8_t>(row[i] - ((row[i - bpp] + above[i]) >> 1));
  }
}

void Paeth(const std::uint8_t* row, const std::uint8_t* above, std::size_t n, std::size_t bpp,
           std::uint8_t* out) {
  for (std::size_t i = 0; i < bpp; ++i) {
    out[i] = static_cast<std::uint8_t>(row[i] - above[i]);
  }
  for (std::size_t i = bpp; i < n; ++i) {
    const int a = row[i - bpp], b = above[i], c = above[i - bpp];
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    const int predicted = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
    out[i] = static_cast<std::uint8_t>(row[i] - predicted);
  }
}

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
                                     std::size_t height, std::size_t bpp) {
  std::vector<std::uint8_t> filtered((rowBytes + 1) * height);
  const std::vector<std::uint8_t> zeroRow(rowBytes, 0);
  std::vector<std::uint8_t> scratch(rowBytes * 4);
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t* row = rows + y * rowBytes;
    const std::uint8_t* above = y > 0 ? row - rowBytes : zeroRow.data();
    const std::array<const std::uint8_t*, 5> candidates{
        row, scratch.data(), scratch.data() + rowBytes, scratch.data() + 2 * rowBytes,
        scratch.data() + 3 * rowBytes};
    Sub(row, rowBytes, bpp, scratch.data());
    Up(row, above, rowBytes, scratch.data() + rowBytes);
    Average(row, above, rowBytes, bpp, scratch.data() + 2 * rowBytes);
    Paeth(row, above, rowBytes, bpp, scratch.data() + 3 * rowBytes);
    std::size_t best = 0;
    std::uint32_t bestCost = Cost(row, rowBytes);
    for (std::size_t type = 1; type < candidates.size(); ++type) {
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

}  // namespace bench
