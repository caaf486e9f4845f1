#include "runtime/posix/picture/bmp_dib.h"

#include <algorithm>
#include <bit>

#include "runtime/posix/picture/byte_reader.h"
#include "runtime/posix/picture/pixel_buffer.h"

namespace rt::picture {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

bool IsKnownHeaderSize(std::uint32_t size) {
  // core, info, V2 (RGB masks), V3 (+alpha mask), OS/2 2.x (16..64 bytes), V4, V5
  return size == kCoreHeaderSize || (size >= 16 && size <= 64) || size == 108 || size == 124;
}

// One colour channel held in a bit mask, scaled to 8 bits.
class MaskChannel {
 public:
  explicit MaskChannel(std::uint32_t mask)
      : mask_(mask),
        shift_(mask ? std::countr_zero(mask) : 0),
        bits_(std::popcount(mask)),
        maximum_(bits_ >= 32 ? 0xffffffffu : (1u << bits_) - 1) {}

  // Masks must be runs of consecutive bits for the scaling below to mean anything.
  bool valid() const { return mask_ == 0 || ((mask_ >> shift_) & ((mask_ >> shift_) + 1)) == 0; }
  bool present() const { return mask_ != 0; }

  std::uint8_t Extract(std::uint32_t pixel) const {
    if (mask_ == 0) {
      return 0;  // a colour the file holds no bits of
    }
    const std::uint32_t value = (pixel & mask_) >> shift_;
    if (bits_ >= 8) {
      return static_cast<std::uint8_t>(value >> (bits_ - 8));
    }
    return static_cast<std::uint8_t>((value * 255 + maximum_ / 2) / maximum_);
  }

 private:
  std::uint32_t mask_;
  int shift_;
  int bits_;
  std::uint32_t maximum_;
};

std::uint32_t IndexAt(const std::uint8_t* row, std::uint32_t x, std::uint32_t bits) {
  switch (bits) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
      return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15u;
    case 2:
      return (row[x >> 2] >> (6 - 2 * (x & 3))) & 3u;
    default:
      return row[x];
  }
}

// Decodes an RLE4 or RLE8 stream into one index per pixel, bottom row first as stored.
// Pixels the stream skips keep index 0.
bool DecodeRle(std::span<const std::uint8_t> data, const DibHeader& header, std::uint8_t* indexes) {
  const bool four = header.compression == kBiRle4;
  const std::uint32_t width = header.width;
  const std::uint32_t height = header.height;
  std::uint32_t x = 0, y = 0;
  std::size_t at = 0;
  auto put = [&](std::uint32_t index) {
    if (x < width && y < height) {
      indexes[std::size_t{y} * width + x] = static_cast<std::uint8_t>(index);
    }
    ++x;
  };
  while (y < height) {
    if (at + 2 > data.size()) {
      return false;
    }
    const std::uint32_t count = data[at];
    const std::uint32_t value = data[at + 1];
    at += 2;
    if (count > 0) {  // a run of one index (RLE8) or two alternating ones (RLE4)
      for (std::uint32_t i = 0; i < count && x < width; ++i) {
        put(four ? ((i & 1) ? value & 15u : value >> 4) : value);
      }
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      return true;
    } else if (value == 2) {  // move right and up
      if (at + 2 > data.size()) {
        return false;
      }
      x += data[at];
      y += data[at + 1];
      at += 2;
    } else {  // literal run of `value` indexes, padded to a 16-bit boundary
      const std::size_t bytes = four ? (value + 1) / 2 : value;
      if (at + bytes > data.size()) {
        return false;
      }
      for (std::uint32_t i = 0; i < value; ++i) {
        const std::uint8_t byte = data[at + (four ? i / 2 : i)];
        put(four ? ((i & 1) ? byte & 15u : byte >> 4) : byte);
      }
      at += bytes + (bytes & 1);
    }
  }
  return true;
}

bool ReadColourTable(std::span<const std::uint8_t> dib, const DibHeader& header, std::size_t limit,
                     Bitmap& bitmap) {
  const std::size_t end = std::min(limit, dib.size());
  if (header.colourTableOffset > end) {
    return false;
  }
  const std::size_t available = (end - header.colourTableOffset) / header.colourEntrySize;
  const std::size_t count = std::min<std::size_t>(header.colourCount, available);
  if (count == 0) {
    return false;
  }
  bitmap.palette.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = dib.data() + header.colourTableOffset + i * header.colourEntrySize;
    bitmap.palette[i] = {entry[2], entry[1], entry[0], 255};
  }
  return true;
}

void DecodeMasked(const std::uint8_t* row, const DibHeader& header, const MaskChannel (&ch)[4],
                  std::uint8_t* out) {
  const bool alpha = ch[3].present();
  for (std::uint32_t x = 0; x < header.width; ++x) {
    std::uint32_t pixel = 0;
    if (header.bitsPerPixel == 16) {
      pixel = row[2 * std::size_t{x}] | (std::uint32_t{row[2 * std::size_t{x} + 1]} << 8);
    } else {
      const std::uint8_t* p = row + 4 * std::size_t{x};
      pixel = p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
              (std::uint32_t{p[3]} << 24);
    }
    out[0] = ch[0].Extract(pixel);
    out[1] = ch[1].Extract(pixel);
    out[2] = ch[2].Extract(pixel);
    if (alpha) {
      out[3] = ch[3].Extract(pixel);
      out += 4;
    } else {
      out += 3;
    }
  }
}

}  // namespace

std::uint64_t DibStride(std::uint32_t width, std::uint32_t bitsPerPixel) {
  return (std::uint64_t{width} * bitsPerPixel + 31) / 32 * 4;
}

bool ReadDibHeader(std::span<const std::uint8_t> dib, DibHeader& header) {
  const ByteReader reader(dib);
  const auto size = reader.U32(0);
  if (!size || !IsKnownHeaderSize(*size) || !reader.Holds(0, *size)) {
    return false;
  }
  header.headerSize = *size;
  std::int64_t width = 0, height = 0;
  std::uint16_t planes = 0;
  if (*size == kCoreHeaderSize) {
    width = *reader.U16(4);
    height = *reader.U16(6);
    planes = *reader.U16(8);
    header.bitsPerPixel = *reader.U16(10);
    header.colourEntrySize = 3;
  } else {
    width = *reader.I32(4);
    height = *reader.I32(8);
    planes = *reader.U16(12);
    header.bitsPerPixel = *reader.U16(14);
    header.compression = reader.U32(16).value_or(kBiRgb);
    header.colourCount = reader.U32(32).value_or(0);
  }
  header.topDown = height < 0;
  height = height < 0 ? -height : height;
  if (planes != 1 || width <= 0 || height <= 0 || width > kMaxPictureSide ||
      height > std::int64_t{kMaxPictureSide} * 2) {
    return false;
  }
  header.width = static_cast<std::uint32_t>(width);
  header.height = static_cast<std::uint32_t>(height);

  const std::uint16_t bits = header.bitsPerPixel;
  const bool bitfields =
      header.compression == kBiBitfields || header.compression == kBiAlphaBitfields;
  const bool rle = header.compression == kBiRle8 || header.compression == kBiRle4;
  if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return false;
  }
  if ((header.compression == kBiRle8 && bits != 8) ||
      (header.compression == kBiRle4 && bits != 4) || (bitfields && bits != 16 && bits != 32) ||
      (rle && header.topDown) || (header.compression != kBiRgb && !rle && !bitfields)) {
    return false;
  }

  header.colourTableOffset = header.headerSize;
  if (bitfields) {
    // A 40-byte header is followed by the masks; larger ones hold them at the same place.
    const std::size_t masks = header.compression == kBiAlphaBitfields ? 4 : 3;
    if (header.headerSize == kInfoHeaderSize) {
      header.colourTableOffset += masks * 4;
    } else if (header.headerSize < kInfoHeaderSize + masks * 4) {
      return false;
    }
    const auto red = reader.U32(40), green = reader.U32(44), blue = reader.U32(48);
    if (!red || !green || !blue) {
      return false;
    }
    header.redMask = *red;
    header.greenMask = *green;
    header.blueMask = *blue;
    if (masks == 4 || header.headerSize >= 56) {
      header.alphaMask = reader.U32(52).value_or(0);
    }
  } else if (bits == 16) {
    header.redMask = 0x7c00;
    header.greenMask = 0x03e0;
    header.blueMask = 0x001f;
  } else if (bits == 32) {
    header.redMask = 0x00ff0000;
    header.greenMask = 0x0000ff00;
    header.blueMask = 0x000000ff;
  }
  if (bits <= 8) {
    const std::uint32_t full = 1u << bits;
    header.colourCount =
        header.colourCount == 0 ? full : std::min<std::uint32_t>(header.colourCount, full);
  } else {
    header.colourCount = 0;
  }
  return true;
}

bool DecodeDibPixels(std::span<const std::uint8_t> dib, const DibHeader& header,
                     std::size_t colourTableLimit, std::span<const std::uint8_t> pixels,
                     Bitmap& bitmap) {
  const std::uint32_t bits = header.bitsPerPixel;
  const bool indexed = bits <= 8;
  const bool alpha = header.alphaMask != 0 && bits >= 16;
  const PixelFormat format = indexed ? PixelFormat::Indexed
                             : alpha ? PixelFormat::Argb
                                     : PixelFormat::Rgb;
  if (!WithinDecodeLimit(header.width, header.height, format)) {
    return false;
  }
  const bool rle = header.compression == kBiRle8 || header.compression == kBiRle4;
  const std::uint64_t stride = DibStride(header.width, bits);
  if (!rle) {
    // Every stored row must be in the file; the last one may lack its padding.
    const std::uint64_t needed =
        stride * (header.height - 1) + (std::uint64_t{header.width} * bits + 7) / 8;
    if (pixels.size() < needed) {
      return false;
    }
  }
  if (indexed && !ReadColourTable(dib, header, colourTableLimit, bitmap)) {
    return false;
  }
  const MaskChannel channels[4] = {MaskChannel(header.redMask), MaskChannel(header.greenMask),
                                   MaskChannel(header.blueMask), MaskChannel(header.alphaMask)};
  if (!indexed && !std::all_of(std::begin(channels), std::end(channels),
                               [](const MaskChannel& c) { return c.valid(); })) {
    return false;
  }
  if (!AllocatePixels(bitmap, header.width, header.height, format)) {
    return false;
  }
  const std::size_t outStride = RowBytes(bitmap);
  // Stored rows run bottom-up unless the height was negative.
  auto outputRow = [&](std::uint32_t storedRow) {
    const std::uint32_t y = header.topDown ? storedRow : header.height - 1 - storedRow;
    return bitmap.pixels.data() + std::size_t{y} * outStride;
  };

  if (rle) {
    std::vector<std::uint8_t> indexes(std::size_t{header.width} * header.height, 0);
    if (!DecodeRle(pixels, header, indexes.data())) {
      return false;
    }
    for (std::uint32_t row = 0; row < header.height; ++row) {
      std::copy_n(indexes.data() + std::size_t{row} * header.width, header.width, outputRow(row));
    }
  } else {
    for (std::uint32_t row = 0; row < header.height; ++row) {
      const std::uint8_t* in = pixels.data() + row * stride;
      std::uint8_t* out = outputRow(row);
      if (indexed) {
        for (std::uint32_t x = 0; x < header.width; ++x) {
          out[x] = static_cast<std::uint8_t>(IndexAt(in, x, bits));
        }
      } else if (bits == 24) {
        for (std::uint32_t x = 0; x < header.width; ++x, in += 3, out += 3) {
          out[0] = in[2];
          out[1] = in[1];
          out[2] = in[0];
        }
      } else {
        DecodeMasked(in, header, channels, out);
      }
    }
  }
  if (indexed) {
    CoverPaletteIndexes(bitmap);
  }
  return true;
}

}  // namespace rt::picture
