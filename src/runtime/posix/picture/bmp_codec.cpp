// BMP files: a 14-byte file header in front of a device-independent bitmap.
#include <algorithm>
#include <array>

#include "runtime/posix/picture/bmp_dib.h"
#include "runtime/posix/picture/byte_reader.h"
#include "runtime/posix/picture/codecs.h"
#include "runtime/posix/picture/pixel_buffer.h"
#include "runtime/posix/picture/pixel_convert.h"

namespace rt::picture {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kPixelsPerMetre = 3780;         // 96 dots per inch
constexpr std::uint32_t kSrgbColourSpace = 0x73524742;  // 'sRGB'
constexpr std::uint32_t kIntentImages = 4;

class LittleEndianWriter {
 public:
  explicit LittleEndianWriter(Output& out) : out_(out) {}
  void U16(std::uint32_t value) {
    out_.push_back(static_cast<std::uint8_t>(value));
    out_.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  void U32(std::uint32_t value) {
    U16(value & 0xffffu);
    U16(value >> 16);
  }
  void Zeros(std::size_t count) { out_.insert(out_.end(), count, 0); }

 private:
  Output& out_;
};

struct BmpLayout {
  std::uint32_t bitsPerPixel;
  std::uint32_t headerSize;
  std::uint32_t colours;  // colour table entries
};

void WriteHeaders(Output& out, const Bitmap& bitmap, const BmpLayout& layout,
                  std::uint64_t pixelBytes) {
  const std::uint32_t pixelOffset =
      static_cast<std::uint32_t>(kFileHeaderSize) + layout.headerSize + layout.colours * 4;
  LittleEndianWriter write(out);
  out.push_back('B');
  out.push_back('M');
  write.U32(static_cast<std::uint32_t>(pixelOffset + pixelBytes));
  write.U32(0);
  write.U32(pixelOffset);

  const bool withAlpha = layout.headerSize == kV5HeaderSize;
  write.U32(layout.headerSize);
  write.U32(bitmap.width);
  write.U32(bitmap.height);  // positive: rows stored bottom-up
  write.U16(1);
  write.U16(layout.bitsPerPixel);
  write.U32(withAlpha ? 3 : 0);  // BI_BITFIELDS or BI_RGB
  write.U32(static_cast<std::uint32_t>(pixelBytes));
  write.U32(kPixelsPerMetre);
  write.U32(kPixelsPerMetre);
  write.U32(layout.colours);
  write.U32(0);
  if (!withAlpha) {
    return;
  }
  write.U32(0x00ff0000);  // red, green, blue, alpha masks
  write.U32(0x0000ff00);
  write.U32(0x000000ff);
  write.U32(0xff000000);
  write.U32(kSrgbColourSpace);
  write.Zeros(36 + 12);  // endpoints and gamma, unused with sRGB
  write.U32(kIntentImages);
  write.Zeros(12);  // profile data, size, reserved
}

void WriteColourTable(Output& out, const Bitmap& bitmap) {
  if (bitmap.format == PixelFormat::Gray) {
    for (unsigned level = 0; level < 256; ++level) {
      const auto v = static_cast<std::uint8_t>(level);
      out.insert(out.end(), {v, v, v, 0});
    }
    return;
  }
  for (const PaletteEntry& entry : bitmap.palette) {
    out.insert(out.end(), {entry.blue, entry.green, entry.red, 0});
  }
}

void WriteRow(const std::uint8_t* in, const Bitmap& bitmap, const BmpLayout& layout,
              std::uint8_t* out) {
  const std::uint32_t width = bitmap.width;
  switch (layout.bitsPerPixel) {
    case 32:
      for (std::uint32_t x = 0; x < width; ++x, in += 4, out += 4) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = in[3];
      }
      break;
    case 24:
      for (std::uint32_t x = 0; x < width; ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
      break;
    case 8:
      std::copy_n(in, width, out);
      break;
    default: {  // 1 or 4 bits: pack from the most significant bit
      const std::uint32_t bits = layout.bitsPerPixel;
      const std::uint32_t perByte = 8 / bits;
      for (std::uint32_t x = 0; x < width; ++x) {
        const std::uint32_t shift = 8 - bits * (1 + x % perByte);
        out[x / perByte] = static_cast<std::uint8_t>(out[x / perByte] | (in[x] << shift));
      }
    }
  }
}

bool EncodeTrueOrIndexed(const Bitmap& bitmap, Output& file) {
  BmpLayout layout{};
  switch (bitmap.format) {
    case PixelFormat::Argb:
      layout = {32, kV5HeaderSize, 0};
      break;
    case PixelFormat::Rgb:
      layout = {24, kInfoHeaderSize, 0};
      break;
    case PixelFormat::Gray:
      layout = {8, kInfoHeaderSize, 256};
      break;
    case PixelFormat::Indexed: {
      const auto colours = static_cast<std::uint32_t>(bitmap.palette.size());
      layout = {colours <= 2 ? 1u : colours <= 16 ? 4u : 8u, kInfoHeaderSize, colours};
      break;
    }
  }
  const std::uint64_t stride = DibStride(bitmap.width, layout.bitsPerPixel);
  const std::uint64_t pixelBytes = stride * bitmap.height;
  if (pixelBytes > 0xffffffffu - kFileHeaderSize - kV5HeaderSize - 1024) {
    return false;
  }
  WriteHeaders(file, bitmap, layout, pixelBytes);
  WriteColourTable(file, bitmap);
  const std::size_t start = file.size();
  file.resize(start + pixelBytes, 0);
  const std::size_t rowBytes = RowBytes(bitmap);
  for (std::uint32_t y = 0; y < bitmap.height; ++y) {
    const std::uint8_t* in = bitmap.pixels.data() + std::size_t{y} * rowBytes;
    std::uint8_t* out = file.data() + start + (bitmap.height - 1 - y) * stride;
    WriteRow(in, bitmap, layout, out);
  }
  return true;
}

}  // namespace

bool DecodeBmp(FileBytes file, Bitmap& bitmap) {
  const ByteReader reader(file);
  const auto pixelOffset = reader.U32(10);
  if (!pixelOffset || file.size() < kFileHeaderSize) {
    return false;
  }
  const auto dib = file.subspan(kFileHeaderSize);
  DibHeader header;
  if (!ReadDibHeader(dib, header) || *pixelOffset < kFileHeaderSize + header.headerSize ||
      *pixelOffset >= file.size()) {
    return false;
  }
  return DecodeDibPixels(dib, header, *pixelOffset - kFileHeaderSize, file.subspan(*pixelOffset),
                         bitmap);
}

bool EncodeBmp(const Bitmap& bitmap, Output& file) {
  // BMP palettes have no alpha: a palette with transparency is written as 32-bit instead.
  if (bitmap.format == PixelFormat::Indexed && PaletteHasAlpha(bitmap.palette)) {
    return EncodeTrueOrIndexed(ExpandPalette(bitmap), file);
  }
  return EncodeTrueOrIndexed(bitmap, file);
}

}  // namespace rt::picture
