// Device-independent bitmaps: the header and pixel layout that BMP files and ICO entries share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "runtime/posix/picture/picture_codec.h"

namespace rt::picture {

struct DibHeader {
  std::uint32_t headerSize = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;  // rows to decode (for ICO the caller halves the stored value)
  bool topDown = false;
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
  std::uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;
  std::size_t colourTableOffset = 0;  // from the start of the header
  std::size_t colourEntrySize = 4;    // 3 in OS/2 core headers
  std::uint32_t colourCount = 0;      // entries the table should hold (bits <= 8 only)
};

enum DibCompression : std::uint32_t {
  kBiRgb = 0,
  kBiRle8 = 1,
  kBiRle4 = 2,
  kBiBitfields = 3,
  kBiAlphaBitfields = 6,
};

// Reads and validates the header at the start of dib (any of the core, 40-byte, V2..V5 or
// OS/2 2.x forms). Sets default masks for 16 and 32 bits.
bool ReadDibHeader(std::span<const std::uint8_t> dib, DibHeader& header);

// Bytes per stored row: rows are padded to 4 bytes.
std::uint64_t DibStride(std::uint32_t width, std::uint32_t bitsPerPixel);

// Decodes the pixels, stored at `pixels`, with the colour table read from `dib`. The colour table
// may end no later than `colourTableLimit` bytes into dib (where the pixels start, for example).
bool DecodeDibPixels(std::span<const std::uint8_t> dib, const DibHeader& header,
                     std::size_t colourTableLimit, std::span<const std::uint8_t> pixels,
                     Bitmap& bitmap);

}  // namespace rt::picture
