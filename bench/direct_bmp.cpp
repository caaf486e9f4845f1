// BMP written directly: 14-byte file header, 40-byte info header, rows bottom-up in BGR order.
#include <cstring>

#include "direct_codecs.h"

namespace bench {
namespace {

void PutU16(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::uint8_t* at, std::uint32_t value) {
  PutU16(at, value & 0xffffu);
  PutU16(at + 2, value >> 16);
}

}  // namespace

bool EncodeBmpDirect(const RgbPicture& picture, Output& file) {
  constexpr std::uint32_t kHeaders = 14 + 40;
  constexpr std::uint32_t kPixelsPerMetre = 3780;
  const std::uint64_t stride = (std::uint64_t{picture.width} * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t pixelBytes = stride * picture.height;
  if (pixelBytes > 0xffffffffu - kHeaders) {
    return false;
  }
  file.assign(kHeaders + pixelBytes, 0);
  std::uint8_t* header = file.data();
  header[0] = 'B';
  header[1] = 'M';
  PutU32(header + 2, static_cast<std::uint32_t>(kHeaders + pixelBytes));
  PutU32(header + 10, kHeaders);
  PutU32(header + 14, 40);
  PutU32(header + 18, picture.width);
  PutU32(header + 22, picture.height);
  PutU16(header + 26, 1);
  PutU16(header + 28, 24);
  PutU32(header + 34, static_cast<std::uint32_t>(pixelBytes));
  PutU32(header + 38, kPixelsPerMetre);
  PutU32(header + 42, kPixelsPerMetre);
  const std::size_t rowBytes = std::size_t{picture.width} * 3;
  for (std::size_t y = 0; y < picture.height; ++y) {
    const std::uint8_t* in = picture.pixels.data() + y * rowBytes;
    std::uint8_t* out = file.data() + kHeaders + (picture.height - 1 - y) * stride;
    for (std::size_t x = 0; x < rowBytes; x += 3) {
      out[x] = in[x + 2];
      out[x + 1] = in[x + 1];
      out[x + 2] = in[x];
    }
  }
  return true;
}

}  // namespace bench
