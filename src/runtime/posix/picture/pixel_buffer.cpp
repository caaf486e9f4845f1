#include "runtime/posix/picture/pixel_buffer.h"

#include <algorithm>

namespace rt::picture {

bool WithinDecodeLimit(std::uint64_t width, std::uint64_t height, PixelFormat format) {
  if (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide) {
    return false;
  }
  // Both sides are below 2^16, so the product cannot overflow 64 bits.
  return width * height * BytesPerPixel(format) <= kMaxPixelBytes;
}

bool AllocatePixels(Bitmap& bitmap, std::uint32_t width, std::uint32_t height, PixelFormat format) {
  if (!WithinDecodeLimit(width, height, format)) {
    return false;
  }
  bitmap.width = width;
  bitmap.height = height;
  bitmap.format = format;
  bitmap.pixels.resize(std::size_t{width} * height * BytesPerPixel(format));
  return true;
}

void CoverPaletteIndexes(Bitmap& bitmap) {
  if (bitmap.pixels.empty()) {
    return;
  }
  const std::size_t highest = *std::max_element(bitmap.pixels.begin(), bitmap.pixels.end());
  if (bitmap.palette.size() <= highest) {
    bitmap.palette.resize(highest + 1, PaletteEntry{0, 0, 0, 255});
  }
}

bool IsConsistent(const Bitmap& bitmap) {
  if (bitmap.width == 0 || bitmap.height == 0 || bitmap.width > kMaxPictureSide ||
      bitmap.height > kMaxPictureSide) {
    return false;
  }
  if (bitmap.pixels.size() != RowBytes(bitmap) * bitmap.height) {
    return false;
  }
  if (bitmap.format != PixelFormat::Indexed) {
    return true;
  }
  if (bitmap.palette.empty() || bitmap.palette.size() > 256) {
    return false;
  }
  const std::uint8_t highest = *std::max_element(bitmap.pixels.begin(), bitmap.pixels.end());
  return highest < bitmap.palette.size();
}

}  // namespace rt::picture
