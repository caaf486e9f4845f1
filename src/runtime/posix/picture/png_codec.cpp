// PNG: decoding through libpng reading from memory; encoding by our own chunk writer over
// libdeflate, which compresses a whole picture much faster than zlib at a similar size.
#include <libdeflate.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "runtime/posix/picture/codecs.h"
#include "runtime/posix/picture/pixel_buffer.h"
#include "runtime/posix/picture/png_filter.h"

namespace rt::picture {
namespace {

// Deflate cannot expand data by more than about 1032:1, so no valid PNG of this many bytes can
// hold more than that much filtered picture data.
constexpr std::uint64_t kDeflateMaxRatio = 1032;
constexpr png_alloc_size_t kMaxChunkBytes = 16u << 20;  // also bounds iCCP and zTXt inflation
constexpr png_uint_32 kMaxAncillaryChunks = 1000;

// Everything libpng's callbacks reach through the handle: the input and the first error.
struct PngReadContext {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t position;
  std::array<char, 160> error;
};

void ReadFromMemory(png_structp png, png_bytep out, std::size_t length) {
  auto* context = static_cast<PngReadContext*>(png_get_io_ptr(png));
  if (length > context->size - context->position) {
    png_error(png, "file is truncated");
  }
  std::memcpy(out, context->data + context->position, length);
  context->position += length;
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  auto* context = static_cast<PngReadContext*>(png_get_error_ptr(png));
  std::snprintf(context->error.data(), context->error.size(), "%s", message);
  png_longjmp(png, 1);
}

void IgnorePngWarning(png_structp, png_const_charp) {}

class PngReader {
 public:
  explicit PngReader(PngReadContext* context)
      : png_(png_create_read_struct(PNG_LIBPNG_VER_STRING, context, OnPngError, IgnorePngWarning)),
        info_(png_ ? png_create_info_struct(png_) : nullptr) {}
  ~PngReader() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }
  PngReader(const PngReader&) = delete;
  PngReader& operator=(const PngReader&) = delete;

  png_structp png() const { return png_; }
  png_infop info() const { return info_; }
  bool valid() const { return png_ != nullptr && info_ != nullptr; }

 private:
  png_structp png_;
  png_infop info_;
};

struct PngHeader {
  png_uint_32 width;
  png_uint_32 height;
  std::uint64_t storedRowBytes;  // before our transformations, as the filtered data holds it
  std::size_t outputRowBytes;
  PixelFormat format;
};

PixelFormat ChooseTransforms(png_structp png, png_infop info) {
  const int colorType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  const bool hasTransparentColour = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  if (bitDepth == 16) {
    png_set_scale_16(png);
  }
  switch (colorType) {
    case PNG_COLOR_TYPE_PALETTE:
      png_set_packing(png);
      return PixelFormat::Indexed;
    case PNG_COLOR_TYPE_GRAY:
      png_set_expand_gray_1_2_4_to_8(png);
      if (!hasTransparentColour) {
        return PixelFormat::Gray;
      }
      png_set_tRNS_to_alpha(png);
      png_set_gray_to_rgb(png);
      return PixelFormat::Argb;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      png_set_gray_to_rgb(png);
      return PixelFormat::Argb;
    case PNG_COLOR_TYPE_RGB:
      if (!hasTransparentColour) {
        return PixelFormat::Rgb;
      }
      png_set_tRNS_to_alpha(png);
      return PixelFormat::Argb;
    default:
      return PixelFormat::Argb;
  }
}

// libpng reports errors by longjmp, so the two phases that call into it are plain functions
// without C++ objects that need destroying.
bool ReadPngHeader(png_structp png, png_infop info, PngHeader* header) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_read_info(png, info);
  header->width = png_get_image_width(png, info);
  header->height = png_get_image_height(png, info);
  header->storedRowBytes = png_get_rowbytes(png, info);
  header->format = ChooseTransforms(png, info);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  header->outputRowBytes = png_get_rowbytes(png, info);
  return true;
}

bool ReadPngRows(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_read_image(png, rows);
  // Reading on to IEND checks the rest of the file, so a file cut short after its pixel data
  // still counts as truncated.
  png_read_end(png, nullptr);
  return true;
}

void CopyPalette(png_structp png, png_infop info, Bitmap& bitmap) {
  png_colorp colours = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &colours, &count) == 0 || count <= 0) {
    return;
  }
  png_bytep alphas = nullptr;
  int alphaCount = 0;
  png_color_16p unusedColour = nullptr;
  if (png_get_tRNS(png, info, &alphas, &alphaCount, &unusedColour) == 0) {
    alphaCount = 0;
  }
  const int entries = std::min(count, 256);
  bitmap.palette.resize(static_cast<std::size_t>(entries));
  for (int i = 0; i < entries; ++i) {
    const std::size_t at = static_cast<std::size_t>(i);
    const std::uint8_t alpha = i < alphaCount ? alphas[at] : 255;
    bitmap.palette[at] = {colours[at].red, colours[at].green, colours[at].blue, alpha};
  }
}

void CopyColourProfile(png_structp png, png_infop info, Bitmap& bitmap) {
  png_charp name = nullptr;
  int compression = 0;
  png_bytep profile = nullptr;
  png_uint_32 length = 0;
  if (png_get_iCCP(png, info, &name, &compression, &profile, &length) != 0 && profile) {
    bitmap.iccProfile.assign(profile, profile + length);
  }
}

// ---- Encoding -------------------------------------------------------------------------------

struct CompressorDeleter {
  void operator()(libdeflate_compressor* compressor) const {
    libdeflate_free_compressor(compressor);
  }
};
using Compressor = std::unique_ptr<libdeflate_compressor, CompressorDeleter>;

// libdeflate level 5 writes files within about 2-3% of zlib level 6 with adaptive filters (what
// ImageMagick writes) in roughly two thirds of the time of its own level 6.
constexpr int kCompressionLevel = 5;

void PutU32(Output& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 24));
  out.push_back(static_cast<std::uint8_t>(value >> 16));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}

// Appends a chunk whose data the caller has already placed at the end of out, after a
// reserved 8-byte length-and-type field starting at start.
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

bool AppendCompressed(Output& out, libdeflate_compressor* compressor, const std::uint8_t* data,
                      std::size_t size) {
  const std::size_t start = out.size();
  out.resize(start + libdeflate_zlib_compress_bound(compressor, size));
  const std::size_t written =
      libdeflate_zlib_compress(compressor, data, size, out.data() + start, out.size() - start);
  out.resize(start + written);
  return written != 0;
}

struct PngLayout {
  std::uint8_t colourType;
  std::uint8_t bitDepth;
  std::uint32_t bytesPerPixel;  // for filtering: at least 1
};

PngLayout LayoutFor(const Bitmap& bitmap) {
  switch (bitmap.format) {
    case PixelFormat::Indexed: {
      const std::size_t colours = bitmap.palette.size();
      const std::uint8_t depth = colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
      return {PNG_COLOR_TYPE_PALETTE, depth, 1};
    }
    case PixelFormat::Gray:
      return {PNG_COLOR_TYPE_GRAY, 8, 1};
    case PixelFormat::Rgb:
      return {PNG_COLOR_TYPE_RGB, 8, 3};
    case PixelFormat::Argb:
      return {PNG_COLOR_TYPE_RGB_ALPHA, 8, 4};
  }
  return {PNG_COLOR_TYPE_RGB_ALPHA, 8, 4};
}

void AppendHeader(Output& out, const Bitmap& bitmap, const PngLayout& layout) {
  static constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P',  'N',  'G',
                                                          '\r', '\n', 0x1a, '\n'};
  out.insert(out.end(), kSignature.begin(), kSignature.end());
  const std::size_t start = OpenChunk(out);
  PutU32(out, bitmap.width);
  PutU32(out, bitmap.height);
  out.insert(out.end(), {layout.bitDepth, layout.colourType, 0, 0, 0});
  SealChunk(out, start, "IHDR");
}

void AppendPalette(Output& out, const Bitmap& bitmap) {
  std::size_t start = OpenChunk(out);
  for (const PaletteEntry& entry : bitmap.palette) {
    out.insert(out.end(), {entry.red, entry.green, entry.blue});
  }
  SealChunk(out, start, "PLTE");
  // tRNS lists alphas up to the last entry that is not opaque.
  std::size_t alphas = bitmap.palette.size();
  while (alphas > 0 && bitmap.palette[alphas - 1].alpha == 255) {
    --alphas;
  }
  if (alphas == 0) {
    return;
  }
  start = OpenChunk(out);
  for (std::size_t i = 0; i < alphas; ++i) {
    out.push_back(bitmap.palette[i].alpha);
  }
  SealChunk(out, start, "tRNS");
}

bool AppendColourProfile(Output& out, const Bitmap& bitmap, libdeflate_compressor* compressor) {
  static constexpr char kName[] = "ICC Profile";
  const std::size_t start = OpenChunk(out);
  out.insert(out.end(), kName, kName + sizeof kName);  // with its terminating NUL
  out.push_back(0);                                    // deflate
  if (!AppendCompressed(out, compressor, bitmap.iccProfile.data(), bitmap.iccProfile.size())) {
    return false;
  }
  SealChunk(out, start, "iCCP");
  return true;
}

// Packs 8-bit indexes into the bit depth the palette needs; rows start on byte boundaries.
std::vector<std::uint8_t> PackIndexes(const Bitmap& bitmap, std::uint8_t depth,
                                      std::size_t packedRowBytes) {
  std::vector<std::uint8_t> packed(packedRowBytes * bitmap.height, 0);
  const unsigned perByte = 8u / depth;
  for (std::size_t y = 0; y < bitmap.height; ++y) {
    const std::uint8_t* in = bitmap.pixels.data() + y * bitmap.width;
    std::uint8_t* out = packed.data() + y * packedRowBytes;
    for (std::size_t x = 0; x < bitmap.width; ++x) {
      const unsigned shift = 8u - depth * (1u + static_cast<unsigned>(x % perByte));
      out[x / perByte] = static_cast<std::uint8_t>(out[x / perByte] | (in[x] << shift));
    }
  }
  return packed;
}

}  // namespace

bool DecodePng(FileBytes file, Bitmap& bitmap) {
  PngReadContext context{file.data(), file.size(), 0, {}};
  PngReader reader(&context);
  if (!reader.valid()) {
    return false;
  }
  png_set_read_fn(reader.png(), &context, ReadFromMemory);
  png_set_user_limits(reader.png(), kMaxPictureSide, kMaxPictureSide);
  png_set_chunk_malloc_max(reader.png(), kMaxChunkBytes);
  png_set_chunk_cache_max(reader.png(), kMaxAncillaryChunks);

  PngHeader header{};
  if (!ReadPngHeader(reader.png(), reader.info(), &header)) {
    return false;
  }
  const std::uint64_t filteredBytes = (header.storedRowBytes + 1) * header.height;
  if (filteredBytes > kDeflateMaxRatio * file.size() ||
      !AllocatePixels(bitmap, header.width, header.height, header.format) ||
      header.outputRowBytes != RowBytes(bitmap)) {
    return false;
  }
  std::vector<png_bytep> rows(header.height);
  for (std::size_t y = 0; y < rows.size(); ++y) {
    rows[y] = bitmap.pixels.data() + y * header.outputRowBytes;
  }
  if (!ReadPngRows(reader.png(), rows.data())) {
    return false;
  }
  if (header.format == PixelFormat::Indexed) {
    CopyPalette(reader.png(), reader.info(), bitmap);
    CoverPaletteIndexes(bitmap);
  }
  CopyColourProfile(reader.png(), reader.info(), bitmap);
  return true;
}

bool EncodePng(const Bitmap& bitmap, Output& file) {
  const Compressor compressor(libdeflate_alloc_compressor(kCompressionLevel));
  if (!compressor) {
    return false;
  }
  const PngLayout layout = LayoutFor(bitmap);
  AppendHeader(file, bitmap, layout);
  if (!bitmap.iccProfile.empty() && !AppendColourProfile(file, bitmap, compressor.get())) {
    return false;
  }
  if (bitmap.format == PixelFormat::Indexed) {
    AppendPalette(file, bitmap);
  }

  std::vector<std::uint8_t> filtered;
  if (layout.bitDepth < 8) {
    const std::size_t rowBytes = (std::size_t{bitmap.width} * layout.bitDepth + 7) / 8;
    filtered = FilterRows(PackIndexes(bitmap, layout.bitDepth, rowBytes).data(), rowBytes,
                          bitmap.height, 1, PngFilterChoice::None);
  } else {
    // Palette indexes do not predict one another, so adaptive filtering only costs time there.
    const PngFilterChoice choice =
        bitmap.format == PixelFormat::Indexed ? PngFilterChoice::None : PngFilterChoice::Adaptive;
    filtered = FilterRows(bitmap.pixels.data(), RowBytes(bitmap), bitmap.height,
                          layout.bytesPerPixel, choice);
  }
  const std::size_t start = OpenChunk(file);
  if (!AppendCompressed(file, compressor.get(), filtered.data(), filtered.size())) {
    return false;
  }
  SealChunk(file, start, "IDAT");
  SealChunk(file, OpenChunk(file), "IEND");
  return true;
}

}  // namespace rt::picture
