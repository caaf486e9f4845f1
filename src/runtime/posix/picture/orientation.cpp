#include "runtime/posix/picture/orientation.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "runtime/posix/picture/byte_reader.h"
#include "runtime/posix/picture/pixel_buffer.h"

namespace rt::picture {
namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kTypeShort = 3;

// Where the upright picture's pixel (x, y) is stored, for an upright picture of uprightWidth x
// uprightHeight. Orientations 5..8 swap the stored sides.
struct SourceMapping {
  // source index = origin + x * stepX + y * stepY, in pixels
  std::ptrdiff_t origin, stepX, stepY;
};

SourceMapping MappingFor(int orientation, std::ptrdiff_t storedWidth, std::ptrdiff_t storedHeight) {
  const std::ptrdiff_t w = storedWidth;
  const std::ptrdiff_t h = storedHeight;
  switch (orientation) {
    case 2:  // mirrored left-right
      return {w - 1, -1, w};
    case 3:  // rotated 180
      return {w * h - 1, -1, -w};
    case 4:  // mirrored top-bottom
      return {(h - 1) * w, 1, -w};
    case 5:  // transposed: stored row becomes upright column
      return {0, w, 1};
    case 6:  // stored picture must turn 90 degrees clockwise
      return {(h - 1) * w, -w, 1};
    case 7:  // transversed
      return {w * h - 1, -w, -1};
    case 8:  // stored picture must turn 90 degrees anticlockwise
      return {w - 1, w, -1};
    default:
      return {0, 1, w};
  }
}

template <std::size_t kPixelBytes>
void Remap(const std::uint8_t* source, std::uint8_t* target, std::ptrdiff_t uprightWidth,
           std::ptrdiff_t uprightHeight, SourceMapping mapping) {
  for (std::ptrdiff_t y = 0; y < uprightHeight; ++y) {
    std::ptrdiff_t from = mapping.origin + y * mapping.stepY;
    for (std::ptrdiff_t x = 0; x < uprightWidth; ++x, from += mapping.stepX) {
      std::copy_n(source + from * static_cast<std::ptrdiff_t>(kPixelBytes), kPixelBytes, target);
      target += kPixelBytes;
    }
  }
}

}  // namespace

int ExifOrientation(std::span<const std::uint8_t> tiffBlock) {
  ByteReader reader(tiffBlock);
  const auto order = reader.U16(0);
  if (!order || (*order != 0x4949 && *order != 0x4d4d)) {
    return 1;
  }
  reader.SetBigEndian(*order == 0x4d4d);
  const auto magic = reader.U16(2);
  const auto ifd = reader.U32(4);
  if (!magic || *magic != 42 || !ifd) {
    return 1;
  }
  const auto count = reader.U16(*ifd);
  if (!count) {
    return 1;
  }
  for (std::uint32_t i = 0; i < *count; ++i) {
    const std::uint64_t entry = std::uint64_t{*ifd} + 2 + std::uint64_t{i} * 12;
    const auto tag = reader.U16(entry);
    const auto type = reader.U16(entry + 2);
    const auto value = reader.U16(entry + 8);
    if (!tag || !type || !value) {
      return 1;
    }
    if (*tag == kOrientationTag) {
      return *type == kTypeShort && *value >= 1 && *value <= 8 ? *value : 1;
    }
  }
  return 1;
}

void MakeUpright(Bitmap& bitmap, int orientation) {
  if (orientation < 2 || orientation > 8) {
    return;
  }
  const bool swapsSides = orientation >= 5;
  const auto storedWidth = static_cast<std::ptrdiff_t>(bitmap.width);
  const auto storedHeight = static_cast<std::ptrdiff_t>(bitmap.height);
  const std::ptrdiff_t uprightWidth = swapsSides ? storedHeight : storedWidth;
  const std::ptrdiff_t uprightHeight = swapsSides ? storedWidth : storedHeight;
  const SourceMapping mapping = MappingFor(orientation, storedWidth, storedHeight);

  std::vector<std::uint8_t> upright(bitmap.pixels.size());
  switch (BytesPerPixel(bitmap.format)) {
    case 1:
      Remap<1>(bitmap.pixels.data(), upright.data(), uprightWidth, uprightHeight, mapping);
      break;
    case 3:
      Remap<3>(bitmap.pixels.data(), upright.data(), uprightWidth, uprightHeight, mapping);
      break;
    default:
      Remap<4>(bitmap.pixels.data(), upright.data(), uprightWidth, uprightHeight, mapping);
      break;
  }
  bitmap.pixels = std::move(upright);
  if (swapsSides) {
    std::swap(bitmap.width, bitmap.height);
  }
}

}  // namespace rt::picture
