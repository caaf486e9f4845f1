// PNG: decoding through libpng reading from memory; encoding by our own chunk writer over zlib,
// fed one filtered row at a time.
#include <png.h>

#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <span>

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

// On photographs, zlib's run-length strategy compresses filtered rows as well as a full match
// search or better (they hold few long repeats), in a fraction of its time. Pictures of flat
// areas and repeated shapes (screenshots, drawings) compress far better with the full search.
// Trials of both on the first rows tell the two kinds apart: the full search is taken when it
// saves a tenth there.
constexpr int kCompressionLevel = 6;
constexpr int kMemoryLevel = 9;
constexpr int kWindowBits = 15;
constexpr std::size_t kTrialBytes = std::size_t{64} * 1024;

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
  PutU32(out, static_cast<std::uint32_t>(crc32_z(0, out.data() + start + 4, length + 4)));
}

std::size_t OpenChunk(Output& out) {
  const std::size_t start = out.size();
  out.resize(start + 8);
  return start;
}

// One zlib stream, compressed onto the end of an output through a small buffer of its own.
class Deflater {
 public:
  explicit Deflater(int strategy) : buffer_(std::size_t{64} * 1024) {
    ready_ = deflateInit2(&stream_, kCompressionLevel, Z_DEFLATED, kWindowBits, kMemoryLevel,
                          strategy) == Z_OK;
  }
  ~Deflater() {
    if (ready_) {
      deflateEnd(&stream_);
    }
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  bool ready() const { return ready_; }

  // Compresses `input` onto the end of `out`; `finish` ends the stream after it.
  bool Add(std::span<const std::uint8_t> input, bool finish, Output& out) {
    if (!ready_ || input.size() > std::numeric_limits<uInt>::max()) {
      return false;
    }
    stream_.next_in = input.data();
    stream_.avail_in = static_cast<uInt>(input.size());
    for (;;) {
      stream_.next_out = buffer_.data();
      stream_.avail_out = static_cast<uInt>(buffer_.size());
      const int status = deflate(&stream_, finish ? Z_FINISH : Z_NO_FLUSH);
      if (status == Z_STREAM_ERROR) {
        return false;
      }
      out.insert(out.end(), buffer_.data(), stream_.next_out);
      if (finish ? status == Z_STREAM_END : stream_.avail_in == 0 && stream_.avail_out != 0) {
        return true;
      }
    }
  }

 private:
  z_stream stream_{};
  bool ready_ = false;
  std::vector<std::uint8_t> buffer_;
};

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

bool AppendColourProfile(Output& out, const Bitmap& bitmap) {
  static constexpr char kName[] = "ICC Profile";
  const std::size_t start = OpenChunk(out);
  out.insert(out.end(), kName, kName + sizeof kName);  // with its terminating NUL
  out.push_back(0);                                    // deflate
  Deflater deflater(Z_DEFAULT_STRATEGY);
  if (!deflater.Add(bitmap.iccProfile, true, out)) {
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
  const PngLayout layout = LayoutFor(bitmap);
  AppendHeader(file, bitmap, layout);
  if (!bitmap.iccProfile.empty() && !AppendColourProfile(file, bitmap)) {
    return false;
  }
  if (bitmap.format == PixelFormat::Indexed) {
    AppendPalette(file, bitmap);
  }

  // The rows as stored: 8-bit samples straight from the bitmap, or small palettes' indexes packed.
  std::vector<std::uint8_t> packed;
  std::size_t rowBytes = RowBytes(bitmap);
  std::size_t bytesPerPixel = layout.bytesPerPixel;
  const std::uint8_t* rows = bitmap.pixels.data();
  if (layout.bitDepth < 8) {
    rowBytes = (std::size_t{bitmap.width} * layout.bitDepth + 7) / 8;
    bytesPerPixel = 1;
    packed = PackIndexes(bitmap, layout.bitDepth, rowBytes);
    rows = packed.data();
  }
  // Palette indexes do not predict one another, so adaptive filtering only costs time there.
  const PngFilterChoice choice =
      bitmap.format == PixelFormat::Indexed ? PngFilterChoice::None : PngFilterChoice::Adaptive;
  const auto filteredRows = [&](auto&& take) {
    PngRowFilter filter(rowBytes, bytesPerPixel, choice);
    for (std::size_t y = 0; y < bitmap.height; ++y) {
      const std::uint8_t* const row = rows + y * rowBytes;
      if (!take(filter.Filter(row, y > 0 ? row - rowBytes : nullptr), y + 1 == bitmap.height)) {
        return false;
      }
    }
    return true;
  };

  // How many bytes the first rows take with a strategy.
  const auto trial = [&](int trialStrategy, std::size_t& input) {
    Output compressed;
    Deflater trialDeflater(trialStrategy);
    input = 0;
    filteredRows([&](std::span<const std::uint8_t> row, bool last) {
      input += row.size();
      const bool enough = last || input >= kTrialBytes;
      trialDeflater.Add(row, enough, compressed);
      return !enough;
    });
    return compressed.size();
  };
  std::size_t trialInput = 0;
  const std::size_t withRuns = trial(Z_RLE, trialInput);
  int strategy = Z_RLE;
  if (trial(Z_DEFAULT_STRATEGY, trialInput) * 10 < withRuns * 9) {
    strategy = Z_DEFAULT_STRATEGY;
  }

  Deflater deflater(strategy);
  if (!deflater.ready()) {
    return false;
  }
  // Room for the compressed picture is only reserved: memory is taken as it is written.
  file.reserve(file.size() + (rowBytes + 1) * bitmap.height / 2 + 64);
  const std::size_t start = OpenChunk(file);
  if (!filteredRows([&](std::span<const std::uint8_t> row, bool last) {
        return deflater.Add(row, last, file);
      })) {
    return false;
  }
  SealChunk(file, start, "IDAT");
  SealChunk(file, OpenChunk(file), "IEND");
  return true;
}

}  // namespace rt::picture
