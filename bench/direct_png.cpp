// PNG called directly: libpng to read, libdeflate under our own chunk writer to write (the way
// our PNG codec writes, at its settings).
#include <libdeflate.h>
#include <png.h>

#include <array>
#include <csetjmp>
#include <cstring>
#include <memory>

#include "direct_codecs.h"
#include "png_rows.h"

namespace bench {
namespace {

constexpr int kCompressionLevel = 5;

struct ReadSource {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, std::size_t length) {
  auto* source = static_cast<ReadSource*>(png_get_io_ptr(png));
  if (length > source->size - source->position) {
    png_error(png, "truncated");
  }
  std::memcpy(out, source->data + source->position, length);
  source->position += length;
}

class Reader {
 public:
  Reader()
      : png_(png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr)),
        info_(png_ ? png_create_info_struct(png_) : nullptr) {}
  ~Reader() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_;
  png_infop info_;
};

// libpng reports errors by longjmp: these two hold no C++ objects that need destroying.
bool ReadHeader(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_read_info(png, info);
  png_set_strip_16(png);
  png_set_strip_alpha(png);
  png_set_palette_to_rgb(png);
  png_set_gray_to_rgb(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  *width = png_get_image_width(png, info);
  *height = png_get_image_height(png, info);
  return png_get_rowbytes(png, info) == std::size_t{*width} * 3;
}

bool ReadRows(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_read_image(png, rows);
  png_read_end(png, nullptr);
  return true;
}

struct CompressorDeleter {
  void operator()(libdeflate_compressor* compressor) const {
    libdeflate_free_compressor(compressor);
  }
};

void PutU32(Output& out, std::uint32_t value) {
  out.insert(out.end(),
             {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
              static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)});
}

// Writes length and type in front of the data the caller appended after `start` + 8, and the CRC.
void SealChunk(Output& out, std::size_t start, const char (&type)[5]) {
  const std::size_t length = out.size() - start - 8;
  for (std::size_t i = 0; i < 4; ++i) {
    out[start + i] = static_cast<std::uint8_t>(length >> (24 - 8 * i));
    out[start + 4 + i] = static_cast<std::uint8_t>(type[i]);
  }
  PutU32(out, libdeflate_crc32(0, out.data() + start + 4, length + 4));
}

std::size_t OpenChunk(Output& out) {
  const std::size_t start = out.size();
  out.resize(start + 8);
  return start;
}

}  // namespace

bool DecodePngDirect(FileBytes file, RgbPicture& picture) {
  const Reader reader;
  if (reader.png() == nullptr || reader.info() == nullptr) {
    return false;
  }
  ReadSource source{file.data(), file.size(), 0};
  png_set_read_fn(reader.png(), &source, ReadFromMemory);
  png_uint_32 width = 0, height = 0;
  if (!ReadHeader(reader.png(), reader.info(), &width, &height)) {
    return false;
  }
  picture.width = width;
  picture.height = height;
  picture.pixels.resize(std::size_t{width} * height * 3);
  std::vector<png_bytep> rows(height);
  for (std::size_t y = 0; y < height; ++y) {
    rows[y] = picture.pixels.data() + y * width * 3;
  }
  return ReadRows(reader.png(), rows.data());
}

bool EncodePngDirect(const RgbPicture& picture, Output& file) {
  const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
      libdeflate_alloc_compressor(kCompressionLevel));
  if (!compressor) {
    return false;
  }
  static constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P',  'N',  'G',
                                                          '\r', '\n', 0x1a, '\n'};
  file.assign(kSignature.begin(), kSignature.end());
  std::size_t start = OpenChunk(file);
  PutU32(file, picture.width);
  PutU32(file, picture.height);
  file.insert(file.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, adaptive, progressive off
  SealChunk(file, start, "IHDR");

  const std::vector<std::uint8_t> filtered =
      FilterRows(picture.pixels.data(), std::size_t{picture.width} * 3, picture.height, 3);
  start = OpenChunk(file);
  const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), filtered.size());
  file.resize(file.size() + bound);
  const std::size_t written = libdeflate_zlib_compress(
      compressor.get(), filtered.data(), filtered.size(), file.data() + start + 8, bound);
  if (written == 0) {
    return false;
  }
  file.resize(start + 8 + written);
  SealChunk(file, start, "IDAT");
  SealChunk(file, OpenChunk(file), "IEND");
  return true;
}

}  // namespace bench
