// Shared by every decoder: the one place that decides whether a picture may be allocated.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/posix/picture/picture_codec.h"

namespace rt::picture {

constexpr std::uint32_t BytesPerPixel(PixelFormat format) {
  switch (format) {
    case PixelFormat::Indexed:
    case PixelFormat::Gray:
      return 1;
    case PixelFormat::Rgb:
      return 3;
    case PixelFormat::Argb:
      return 4;
  }
  return 4;
}

// True when a width x height picture at format stays within the decode limit. Works on 64-bit
// values so that headers with 32-bit sides cannot overflow the product.
bool WithinDecodeLimit(std::uint64_t width, std::uint64_t height, PixelFormat format);

// Sets the size and format and allocates the pixel buffer, after checking the decode limit.
// Returns false (bitmap pixels left empty) when the picture is over the limit.
bool AllocatePixels(Bitmap& bitmap, std::uint32_t width, std::uint32_t height, PixelFormat format);

// Pads an indexed bitmap's palette with opaque black up to its highest index, so that a file
// whose pixels name entries beyond its colour table still yields a consistent bitmap.
void CoverPaletteIndexes(Bitmap& bitmap);

// True when the bitmap's fields agree with each other: what every encoder checks first.
bool IsConsistent(const Bitmap& bitmap);

inline std::size_t RowBytes(const Bitmap& bitmap) {
  return std::size_t{bitmap.width} * BytesPerPixel(bitmap.format);
}

}  // namespace rt::picture
