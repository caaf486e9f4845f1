// The codec libraries called directly, with the settings our picture layer uses: the fastest
// way to do the same conversions, against which the benchmark measures the program's path.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace bench {

// 8-bit RGB pixels, rows top-down without padding.
struct RgbPicture {
  std::uint32_t width = 0, height = 0;
  std::vector<std::uint8_t> pixels;
};

using FileBytes = std::span<const std::uint8_t>;
using Output = std::vector<std::uint8_t>;

// TurboJPEG into RGB, with the decoder flags of our JPEG codec.
bool DecodeJpegDirect(FileBytes file, RgbPicture& picture);
// libpng into RGB (any 8-bit or 16-bit PNG without transparency, as the benchmark writes them).
bool DecodePngDirect(FileBytes file, RgbPicture& picture);

// TurboJPEG, 4:2:0, at `quality` (our codec writes 75).
bool EncodeJpegDirect(const RgbPicture& picture, int quality, Output& file);
// libpng with adaptive row filters and zlib at the settings our codec uses for photographs.
bool EncodePngDirect(const RgbPicture& picture, Output& file);
// libtiff into memory: LZW with the horizontal predictor, strips of about 256 KiB.
bool EncodeTiffDirect(const RgbPicture& picture, Output& file);
// A 24-bit bottom-up BMP with a 40-byte header.
bool EncodeBmpDirect(const RgbPicture& picture, Output& file);

}  // namespace bench
