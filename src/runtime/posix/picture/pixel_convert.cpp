#include "runtime/posix/picture/pixel_convert.h"

#include <algorithm>
#include <cstddef>

#include "runtime/posix/picture/pixel_buffer.h"

namespace rt::picture {
namespace {

std::uint8_t OverWhite(std::uint32_t value, std::uint32_t alpha) {
  // value * a + 255 * (255 - a), divided by 255 with rounding.
  const std::uint32_t blended = value * alpha + 255 * (255 - alpha);
  return static_cast<std::uint8_t>((blended + 127) / 255);
}

}  // namespace

bool PaletteHasAlpha(const std::vector<PaletteEntry>& palette) {
  return std::any_of(palette.begin(), palette.end(),
                     [](const PaletteEntry& entry) { return entry.alpha != 255; });
}

Bitmap ExpandPalette(const Bitmap& indexed) {
  Bitmap expanded;
  expanded.width = indexed.width;
  expanded.height = indexed.height;
  expanded.iccProfile = indexed.iccProfile;
  const bool withAlpha = PaletteHasAlpha(indexed.palette);
  expanded.format = withAlpha ? PixelFormat::Argb : PixelFormat::Rgb;
  const std::size_t stride = BytesPerPixel(expanded.format);
  expanded.pixels.resize(indexed.pixels.size() * stride);
  std::uint8_t* out = expanded.pixels.data();
  for (const std::uint8_t index : indexed.pixels) {
    const PaletteEntry& entry = indexed.palette[index];
    out[0] = entry.red;
    out[1] = entry.green;
    out[2] = entry.blue;
    if (withAlpha) {
      out[3] = entry.alpha;
    }
    out += stride;
  }
  return expanded;
}

std::vector<std::uint8_t> FlattenOntoWhite(const Bitmap& bitmap) {
  const std::size_t count = std::size_t{bitmap.width} * bitmap.height;
  if (bitmap.format == PixelFormat::Gray) {
    return bitmap.pixels;
  }
  std::vector<std::uint8_t> rgb(count * 3);
  std::uint8_t* out = rgb.data();
  const std::uint8_t* in = bitmap.pixels.data();
  switch (bitmap.format) {
    case PixelFormat::Rgb:
      std::copy(in, in + count * 3, out);
      break;
    case PixelFormat::Argb:
      for (std::size_t i = 0; i < count; ++i, in += 4, out += 3) {
        out[0] = OverWhite(in[0], in[3]);
        out[1] = OverWhite(in[1], in[3]);
        out[2] = OverWhite(in[2], in[3]);
      }
      break;
    case PixelFormat::Indexed:
      for (std::size_t i = 0; i < count; ++i, out += 3) {
        const PaletteEntry& entry = bitmap.palette[in[i]];
        out[0] = OverWhite(entry.red, entry.alpha);
        out[1] = OverWhite(entry.green, entry.alpha);
        out[2] = OverWhite(entry.blue, entry.alpha);
      }
      break;
    case PixelFormat::Gray:
      break;
  }
  return rgb;
}

}  // namespace rt::picture
