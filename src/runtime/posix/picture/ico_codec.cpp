// ICO (and CUR) files: a directory of images, each a PNG file or a DIB followed by a 1-bit mask.
// The largest image is decoded.
#include <algorithm>
#include <array>

#include "runtime/posix/picture/bmp_dib.h"
#include "runtime/posix/picture/byte_reader.h"
#include "runtime/posix/picture/codecs.h"
#include "runtime/posix/picture/pixel_buffer.h"
#include "runtime/posix/picture/pixel_convert.h"
#include "runtime/posix/picture/signature.h"

namespace rt::picture {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;

struct IconEntry {
  std::uint32_t pixels = 0;  // width x height as the directory states them
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t size = 0;
  std::uint32_t offset = 0;
};

std::optional<IconEntry> LargestEntry(const ByteReader& reader) {
  const auto type = reader.U16(2);
  const auto count = reader.U16(4);
  if (!type || (*type != 1 && *type != 2) || !count || *count == 0 ||
      !reader.Holds(kDirectorySize, std::size_t{*count} * kEntrySize)) {
    return std::nullopt;
  }
  std::optional<IconEntry> best;
  for (std::size_t i = 0; i < *count; ++i) {
    const std::size_t at = kDirectorySize + i * kEntrySize;
    const std::uint32_t width = *reader.U8(at) == 0 ? 256 : *reader.U8(at);
    const std::uint32_t height = *reader.U8(at + 1) == 0 ? 256 : *reader.U8(at + 1);
    const IconEntry entry{width * height, *reader.U16(at + 6), *reader.U32(at + 8),
                          *reader.U32(at + 12)};
    if (!best || entry.pixels > best->pixels ||
        (entry.pixels == best->pixels && entry.bitsPerPixel > best->bitsPerPixel)) {
      best = entry;
    }
  }
  return best;
}

bool MaskBit(const std::uint8_t* row, std::uint32_t x) {
  return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

// Applies the 1-bit mask (1 = transparent) that follows the colour pixels.
void ApplyMask(std::span<const std::uint8_t> mask, Bitmap& bitmap) {
  const std::uint64_t stride = DibStride(bitmap.width, 1);
  if (mask.size() < stride * bitmap.height) {
    return;  // no mask stored: the picture is opaque
  }
  auto transparentAt = [&](std::uint32_t x, std::uint32_t y) {
    // Mask rows are stored bottom-up.
    return MaskBit(mask.data() + (bitmap.height - 1 - y) * stride, x);
  };
  bool anyTransparent = false;
  for (std::uint32_t y = 0; y < bitmap.height && !anyTransparent; ++y) {
    for (std::uint32_t x = 0; x < bitmap.width && !anyTransparent; ++x) {
      anyTransparent = transparentAt(x, y);
    }
  }
  if (!anyTransparent) {
    return;
  }
  if (bitmap.format == PixelFormat::Indexed) {
    Bitmap expanded = ExpandPalette(bitmap);
    bitmap = std::move(expanded);
  }
  if (bitmap.format == PixelFormat::Rgb) {
    Bitmap withAlpha;
    AllocatePixels(withAlpha, bitmap.width, bitmap.height, PixelFormat::Argb);
    for (std::size_t i = 0; i < std::size_t{bitmap.width} * bitmap.height; ++i) {
      std::copy_n(bitmap.pixels.data() + 3 * i, 3, withAlpha.pixels.data() + 4 * i);
      withAlpha.pixels[4 * i + 3] = 255;
    }
    bitmap = std::move(withAlpha);
  }
  for (std::uint32_t y = 0; y < bitmap.height; ++y) {
    for (std::uint32_t x = 0; x < bitmap.width; ++x) {
      if (transparentAt(x, y)) {
        bitmap.pixels[(std::size_t{y} * bitmap.width + x) * 4 + 3] = 0;
      }
    }
  }
}

bool DecodeIconDib(std::span<const std::uint8_t> dib, Bitmap& bitmap) {
  DibHeader header;
  if (!ReadDibHeader(dib, header) || header.topDown || header.height < 2) {
    return false;
  }
  header.height /= 2;  // the stored height covers the colour pixels and the mask
  // A 32-bit icon keeps its alpha in the fourth byte.
  const bool fourthByteAlpha = header.bitsPerPixel == 32 && header.compression == kBiRgb;
  if (fourthByteAlpha) {
    header.alphaMask = 0xff000000u;
  }
  const std::size_t pixelsAt =
      header.colourTableOffset + std::size_t{header.colourCount} * header.colourEntrySize;
  if (pixelsAt > dib.size()) {
    return false;
  }
  const auto pixels = dib.subspan(pixelsAt);
  if (!DecodeDibPixels(dib, header, pixelsAt, pixels, bitmap)) {
    return false;
  }
  const std::uint64_t colourBytes = DibStride(header.width, header.bitsPerPixel) * header.height;
  const auto mask =
      colourBytes < pixels.size() ? pixels.subspan(colourBytes) : std::span<const std::uint8_t>();
  if (fourthByteAlpha) {
    // Old 32-bit icons leave the alpha bytes zero and rely on the mask alone.
    bool alphaUnused = true;
    for (std::size_t i = 3; i < bitmap.pixels.size() && alphaUnused; i += 4) {
      alphaUnused = bitmap.pixels[i] == 0;
    }
    if (!alphaUnused) {
      return true;
    }
    for (std::size_t i = 3; i < bitmap.pixels.size(); i += 4) {
      bitmap.pixels[i] = 255;
    }
  }
  ApplyMask(mask, bitmap);
  return true;
}

}  // namespace

bool DecodeIco(FileBytes file, Bitmap& bitmap) {
  const ByteReader reader(file);
  const std::optional<IconEntry> entry = LargestEntry(reader);
  if (!entry || !reader.Holds(entry->offset, entry->size)) {
    return false;
  }
  const auto image = file.subspan(entry->offset, entry->size);
  if (DetectFormat(image) == FileFormat::Png) {
    return DecodePng(image, bitmap);
  }
  return DecodeIconDib(image, bitmap);
}

}  // namespace rt::picture
