// TIFF through libtiff. Common layouts (gray, palette, RGB with or without alpha, 1 to 16 bits,
// stripped and contiguous) are read row by row straight into the bitmap; everything else goes
// through libtiff's RGBA reader.
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>

#include "runtime/posix/picture/codecs.h"
#include "runtime/posix/picture/orientation.h"
#include "runtime/posix/picture/pixel_buffer.h"
#include "runtime/posix/picture/pixel_convert.h"
#include "runtime/posix/picture/tiff_io.h"

namespace rt::picture {
namespace {

struct TiffLayout {
  std::uint32_t width = 0, height = 0;
  std::uint16_t bitsPerSample = 1, samplesPerPixel = 1, photometric = 0, planar = 1;
  std::uint16_t compression = COMPRESSION_NONE, sampleFormat = SAMPLEFORMAT_UINT;
  std::uint16_t orientation = ORIENTATION_TOPLEFT;
  std::uint16_t extraSamples = 0;
  std::uint16_t firstExtraKind = EXTRASAMPLE_UNSPECIFIED;
  bool tiled = false;
};

bool ReadLayout(TIFF* tiff, TiffLayout& layout) {
  if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &layout.width) ||
      !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &layout.height)) {
    return false;
  }
  TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &layout.bitsPerSample);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &layout.samplesPerPixel);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &layout.planar);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &layout.compression);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &layout.sampleFormat);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &layout.orientation);
  if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &layout.photometric)) {
    layout.photometric = layout.samplesPerPixel >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
  }
  std::uint16_t* kinds = nullptr;
  if (TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &layout.extraSamples, &kinds) &&
      layout.extraSamples > 0 && kinds) {
    layout.firstExtraKind = kinds[0];
  }
  layout.tiled = TIFFIsTiled(tiff) != 0;
  return true;
}

// How much picture data a compressed file of this size could possibly expand to.
std::uint64_t MaxExpansion(std::uint16_t compression) {
  switch (compression) {
    case COMPRESSION_NONE:
      return 1;
    case COMPRESSION_PACKBITS:
      return 64;  // 2 bytes repeat one byte up to 128 times
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
      return 1032;
    case COMPRESSION_LZW:
      return 2048;  // about 1400 for a single value repeated, with room to spare
    default:
      return 0;  // no useful bound (fax codes, JPEG): the decode limit alone applies
  }
}

bool HasAlpha(const TiffLayout& layout) {
  return layout.extraSamples > 0 && (layout.firstExtraKind == EXTRASAMPLE_ASSOCALPHA ||
                                     layout.firstExtraKind == EXTRASAMPLE_UNASSALPHA);
}

// The output format when the direct row reader can handle the layout, or nullopt.
std::optional<PixelFormat> DirectFormat(const TiffLayout& layout) {
  const std::uint16_t bits = layout.bitsPerSample;
  if (layout.tiled || layout.sampleFormat != SAMPLEFORMAT_UINT ||
      (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16) ||
      (layout.planar != PLANARCONFIG_CONTIG && layout.samplesPerPixel > 1)) {
    return std::nullopt;
  }
  const std::uint16_t colourSamples = layout.samplesPerPixel - layout.extraSamples;
  switch (layout.photometric) {
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_MINISWHITE:
      if (colourSamples != 1) {
        return std::nullopt;
      }
      if (HasAlpha(layout)) {
        return bits >= 8 ? std::optional(PixelFormat::Argb) : std::nullopt;
      }
      return PixelFormat::Gray;
    case PHOTOMETRIC_PALETTE:
      return colourSamples == 1 && bits <= 8 && layout.extraSamples == 0
                 ? std::optional(PixelFormat::Indexed)
                 : std::nullopt;
    case PHOTOMETRIC_RGB:
      if (colourSamples != 3 || bits < 8) {
        return std::nullopt;
      }
      return HasAlpha(layout) ? PixelFormat::Argb : PixelFormat::Rgb;
    default:
      return std::nullopt;
  }
}

std::uint8_t Unpremultiply(std::uint32_t value, std::uint32_t alpha) {
  if (alpha == 0) {
    return 0;
  }
  return static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (value * 255 + alpha / 2) / alpha));
}

// Sample s of a row with `bits` per sample, scaled to 8 bits.
std::uint8_t SampleAt(const std::uint8_t* row, std::size_t s, std::uint16_t bits, bool scale) {
  switch (bits) {
    case 16: {
      std::uint16_t value = 0;
      std::memcpy(&value, row + 2 * s, 2);  // libtiff hands out native byte order
      return static_cast<std::uint8_t>((value * 255u + 32895u) >> 16);
    }
    case 8:
      return row[s];
    default: {
      const std::size_t bit = s * bits;
      const unsigned shift = 8u - bits - static_cast<unsigned>(bit % 8);
      const unsigned maximum = (1u << bits) - 1;
      const unsigned value = (row[bit / 8] >> shift) & maximum;
      return static_cast<std::uint8_t>(scale ? value * 255 / maximum : value);
    }
  }
}

void ConvertRow(const std::uint8_t* in, const TiffLayout& layout, PixelFormat format,
                std::uint8_t* out, std::uint32_t width) {
  const std::uint16_t bits = layout.bitsPerSample;
  const std::size_t spp = layout.samplesPerPixel;
  const bool invert = layout.photometric == PHOTOMETRIC_MINISWHITE;
  const bool premultiplied = layout.firstExtraKind == EXTRASAMPLE_ASSOCALPHA;
  const std::size_t colours = spp - layout.extraSamples;
  for (std::uint32_t x = 0; x < width; ++x) {
    const std::size_t first = x * spp;
    switch (format) {
      case PixelFormat::Indexed:
        out[x] = SampleAt(in, first, bits, false);
        break;
      case PixelFormat::Gray: {
        const std::uint8_t value = SampleAt(in, first, bits, true);
        out[x] = invert ? static_cast<std::uint8_t>(255 - value) : value;
        break;
      }
      case PixelFormat::Rgb:
        for (std::size_t c = 0; c < 3; ++c) {
          out[3 * std::size_t{x} + c] = SampleAt(in, first + c, bits, true);
        }
        break;
      case PixelFormat::Argb: {
        std::uint8_t* pixel = out + 4 * std::size_t{x};
        const std::uint8_t alpha = SampleAt(in, first + colours, bits, true);
        for (std::size_t c = 0; c < 3; ++c) {
          std::uint8_t value = SampleAt(in, first + (colours == 1 ? 0 : c), bits, true);
          if (invert) {
            value = static_cast<std::uint8_t>(255 - value);
          }
          pixel[c] = premultiplied ? Unpremultiply(value, alpha) : value;
        }
        pixel[3] = alpha;
        break;
      }
    }
  }
}

bool ReadPalette(TIFF* tiff, std::uint16_t bits, Bitmap& bitmap) {
  std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
  if (!TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue) {
    return false;
  }
  const std::size_t count = std::size_t{1} << bits;
  // Some writers store 8-bit values in the 16-bit colour map.
  bool eightBit = true;
  for (std::size_t i = 0; i < count; ++i) {
    if (red[i] > 255 || green[i] > 255 || blue[i] > 255) {
      eightBit = false;
      break;
    }
  }
  const unsigned shift = eightBit ? 0 : 8;
  bitmap.palette.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    bitmap.palette[i] = {static_cast<std::uint8_t>(red[i] >> shift),
                         static_cast<std::uint8_t>(green[i] >> shift),
                         static_cast<std::uint8_t>(blue[i] >> shift), 255};
  }
  return true;
}

bool ReadRows(TIFF* tiff, const TiffLayout& layout, Bitmap& bitmap) {
  const tmsize_t scanlineSize = TIFFScanlineSize(tiff);
  const std::uint64_t needed =
      (std::uint64_t{layout.width} * layout.samplesPerPixel * layout.bitsPerSample + 7) / 8;
  if (scanlineSize <= 0 || static_cast<std::uint64_t>(scanlineSize) < needed) {
    return false;
  }
  std::vector<std::uint8_t> scanline(static_cast<std::size_t>(scanlineSize));
  const std::size_t rowBytes = RowBytes(bitmap);
  for (std::uint32_t y = 0; y < layout.height; ++y) {
    if (TIFFReadScanline(tiff, scanline.data(), y, 0) < 0) {
      return false;
    }
    ConvertRow(scanline.data(), layout, bitmap.format, bitmap.pixels.data() + y * rowBytes,
               layout.width);
  }
  return true;
}

// libtiff's RGBA reader handles every other layout; it premultiplies alpha, which is undone here.
bool ReadThroughRgba(TIFF* tiff, const TiffLayout& layout, Bitmap& bitmap) {
  static_assert(std::endian::native == std::endian::little,
                "the RGBA raster is read as R, G, B, A bytes");
  std::array<char, 1024> message{};
  if (!TIFFRGBAImageOK(tiff, message.data())) {
    return false;
  }
  TIFFRGBAImage image{};
  if (!TIFFRGBAImageBegin(&image, tiff, 0, message.data())) {
    return false;
  }
  // Asking for the stored orientation keeps the rows as stored; MakeUpright turns them later.
  image.req_orientation = image.orientation;
  const bool alpha = image.alpha != 0;
  if (!AllocatePixels(bitmap, layout.width, layout.height, PixelFormat::Argb)) {
    TIFFRGBAImageEnd(&image);
    return false;
  }
  // The raster is 32-bit words; vector storage is suitably aligned for them.
  auto* raster = reinterpret_cast<std::uint32_t*>(bitmap.pixels.data());
  const int read = TIFFRGBAImageGet(&image, raster, layout.width, layout.height);
  TIFFRGBAImageEnd(&image);
  if (!read) {
    return false;
  }
  std::uint8_t* pixels = bitmap.pixels.data();
  const std::size_t count = std::size_t{layout.width} * layout.height;
  if (alpha) {
    for (std::size_t i = 0; i < count; ++i) {
      std::uint8_t* p = pixels + 4 * i;
      for (std::size_t c = 0; c < 3; ++c) {
        p[c] = Unpremultiply(p[c], p[3]);
      }
    }
    return true;
  }
  for (std::size_t i = 0; i < count; ++i) {  // compact to RGB in place, front to back
    std::memmove(pixels + 3 * i, pixels + 4 * i, 3);
  }
  bitmap.format = PixelFormat::Rgb;
  bitmap.pixels.resize(count * 3);
  bitmap.pixels.shrink_to_fit();
  return true;
}

void ReadColourProfile(TIFF* tiff, Bitmap& bitmap) {
  std::uint32_t length = 0;
  void* profile = nullptr;
  if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &length, &profile) && profile && length > 0) {
    const auto* bytes = static_cast<const std::uint8_t*>(profile);
    bitmap.iccProfile.assign(bytes, bytes + length);
  }
}

// ---- Encoding -------------------------------------------------------------------------------

bool WriteTags(TIFF* tiff, const Bitmap& bitmap) {
  const bool indexed = bitmap.format == PixelFormat::Indexed;
  const std::uint16_t samples = static_cast<std::uint16_t>(BytesPerPixel(bitmap.format));
  const std::uint16_t photometric = indexed                              ? PHOTOMETRIC_PALETTE
                                    : bitmap.format == PixelFormat::Gray ? PHOTOMETRIC_MINISBLACK
                                                                         : PHOTOMETRIC_RGB;
  bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, bitmap.width) &&
            TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, bitmap.height) &&
            TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) &&
            TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples) &&
            TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, photometric) &&
            TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
            TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
            TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
  // Differences between neighbours compress well for colours, not for palette indexes.
  if (ok && !indexed) {
    ok = TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
  }
  if (ok && bitmap.format == PixelFormat::Argb) {
    const std::uint16_t kinds[] = {EXTRASAMPLE_UNASSALPHA};
    ok = TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, kinds);
  }
  if (ok && indexed) {
    std::vector<std::uint16_t> maps(std::size_t{3} * 256, 0);
    for (std::size_t i = 0; i < bitmap.palette.size(); ++i) {
      maps[i] = static_cast<std::uint16_t>(bitmap.palette[i].red * 257);
      maps[256 + i] = static_cast<std::uint16_t>(bitmap.palette[i].green * 257);
      maps[512 + i] = static_cast<std::uint16_t>(bitmap.palette[i].blue * 257);
    }
    ok = TIFFSetField(tiff, TIFFTAG_COLORMAP, maps.data(), maps.data() + 256, maps.data() + 512);
  }
  if (ok && !bitmap.iccProfile.empty()) {
    ok =
        TIFFSetField(tiff, TIFFTAG_ICCPROFILE, static_cast<std::uint32_t>(bitmap.iccProfile.size()),
                     bitmap.iccProfile.data());
  }
  constexpr std::size_t kStripTarget = std::size_t{256} * 1024;
  const std::size_t rowsPerStrip = std::max<std::size_t>(1, kStripTarget / RowBytes(bitmap));
  return ok && TIFFSetField(
                   tiff, TIFFTAG_ROWSPERSTRIP,
                   static_cast<std::uint32_t>(std::min<std::size_t>(rowsPerStrip, bitmap.height)));
}

bool WriteTiff(const Bitmap& bitmap, Output& file) {
  TiffMemoryStream stream;
  stream.output = &file;
  TiffHandle tiff = OpenTiffForWriting(stream);
  if (!tiff || !WriteTags(tiff.get(), bitmap)) {
    return false;
  }
  // The predictor rewrites the row it is given, so each row is handed over as a copy.
  const std::size_t rowBytes = RowBytes(bitmap);
  std::vector<std::uint8_t> row(rowBytes);
  for (std::uint32_t y = 0; y < bitmap.height; ++y) {
    std::memcpy(row.data(), bitmap.pixels.data() + y * rowBytes, rowBytes);
    if (TIFFWriteScanline(tiff.get(), row.data(), y, 0) < 0) {
      return false;
    }
  }
  if (!TIFFWriteDirectory(tiff.get())) {
    return false;
  }
  tiff.reset();
  return !stream.failed;
}

}  // namespace

bool DecodeTiff(FileBytes file, Bitmap& bitmap) {
  if (!TiffStructureIsSound(file)) {
    return false;
  }
  TiffMemoryStream stream;
  stream.input = file;
  const TiffHandle tiff = OpenTiffForReading(stream);
  TiffLayout layout;
  if (!tiff || !ReadLayout(tiff.get(), layout) || layout.samplesPerPixel == 0 ||
      layout.extraSamples >= layout.samplesPerPixel) {
    return false;
  }
  const std::uint64_t storedBytes =
      (std::uint64_t{layout.width} * layout.samplesPerPixel * layout.bitsPerSample + 7) / 8 *
      layout.height;
  const std::uint64_t expansion = MaxExpansion(layout.compression);
  if (!WithinDecodeLimit(layout.width, layout.height, PixelFormat::Argb) ||
      (expansion != 0 && storedBytes > expansion * file.size())) {
    return false;
  }
  const std::optional<PixelFormat> direct = DirectFormat(layout);
  if (direct) {
    if ((*direct == PixelFormat::Indexed &&
         !ReadPalette(tiff.get(), layout.bitsPerSample, bitmap)) ||
        !AllocatePixels(bitmap, layout.width, layout.height, *direct) ||
        !ReadRows(tiff.get(), layout, bitmap)) {
      return false;
    }
  } else if (!ReadThroughRgba(tiff.get(), layout, bitmap)) {
    return false;
  }
  if (stream.failed) {
    return false;
  }
  ReadColourProfile(tiff.get(), bitmap);
  MakeUpright(bitmap, layout.orientation);
  return true;
}

bool EncodeTiff(const Bitmap& bitmap, Output& file) {
  // A TIFF colour map has no alpha, so a palette with transparency is written as RGBA.
  if (bitmap.format == PixelFormat::Indexed && PaletteHasAlpha(bitmap.palette)) {
    return WriteTiff(ExpandPalette(bitmap), file);
  }
  return WriteTiff(bitmap, file);
}

}  // namespace rt::picture
