// PNG called directly: libpng to read and to write, at the settings our PNG codec writes with
// (adaptive row filters; zlib level 6, memory level 9, run-length strategy, which is what the
// codec picks for photographs).
#include <png.h>
#include <zlib.h>

#include <array>
#include <csetjmp>
#include <cstring>
#include <memory>

#include "direct_codecs.h"

namespace bench {
namespace {

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

void WriteToMemory(png_structp png, png_bytep data, std::size_t length) {
  auto* out = static_cast<Output*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp /*png*/) {}

class Writer {
 public:
  Writer()
      : png_(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr)),
        info_(png_ ? png_create_info_struct(png_) : nullptr) {}
  ~Writer() { png_destroy_write_struct(&png_, info_ ? &info_ : nullptr); }
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_;
  png_infop info_;
};

// libpng reports errors by longjmp: this holds no C++ objects that need destroying.
bool WriteRgb(png_structp png, png_infop info, png_uint_32 width, png_uint_32 height,
              png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  png_set_compression_level(png, 6);
  png_set_compression_mem_level(png, 9);
  png_set_compression_strategy(png, Z_RLE);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
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
  const Writer writer;
  if (writer.png() == nullptr || writer.info() == nullptr) {
    return false;
  }
  file.clear();
  png_set_write_fn(writer.png(), &file, WriteToMemory, FlushNothing);
  std::vector<png_bytep> rows(picture.height);
  for (std::size_t y = 0; y < rows.size(); ++y) {
    // libpng only reads the rows it is handed.
    rows[y] = const_cast<png_bytep>(picture.pixels.data() + y * picture.width * 3);
  }
  return WriteRgb(writer.png(), writer.info(), picture.width, picture.height, rows.data());
}

}  // namespace bench
