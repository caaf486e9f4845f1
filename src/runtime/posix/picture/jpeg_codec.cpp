// JPEG through TurboJPEG. Markers TurboJPEG 2.1 does not expose (Exif orientation, APP2 colour
// profile, Adobe CMYK inversion) are read by jpeg_markers.cpp.
#include <turbojpeg.h>

#include <memory>

#include "runtime/posix/picture/codecs.h"
#include "runtime/posix/picture/jpeg_markers.h"
#include "runtime/posix/picture/orientation.h"
#include "runtime/posix/picture/pixel_buffer.h"
#include "runtime/posix/picture/pixel_convert.h"

namespace rt::picture {
namespace {

constexpr int kQuality = 75;

struct TurboJpegDeleter {
  void operator()(void* handle) const { tjDestroy(handle); }
};
using TurboJpegHandle = std::unique_ptr<void, TurboJpegDeleter>;

struct TurboJpegBufferDeleter {
  void operator()(unsigned char* buffer) const { tjFree(buffer); }
};
using TurboJpegBuffer = std::unique_ptr<unsigned char, TurboJpegBufferDeleter>;

// Warnings (a truncated stream among them) stop decoding and count as failures; progressive
// files are limited to a sane number of scans so that a crafted one cannot spin for long.
constexpr int kDecodeFlags = TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS;

std::uint8_t MulDiv255(unsigned a, unsigned b) {
  return static_cast<std::uint8_t>((a * b + 127) / 255);
}

// CMYK ink amounts to RGB. Adobe's files store the values inverted (255 meaning no ink).
void CmykToRgb(const std::vector<std::uint8_t>& cmyk, bool inverted, std::uint8_t* rgb) {
  const std::size_t count = cmyk.size() / 4;
  const std::uint8_t* in = cmyk.data();
  for (std::size_t i = 0; i < count; ++i, in += 4, rgb += 3) {
    const unsigned flip = inverted ? 0u : 255u;
    const unsigned k = in[3] ^ flip;
    rgb[0] = MulDiv255(in[0] ^ flip, k);
    rgb[1] = MulDiv255(in[1] ^ flip, k);
    rgb[2] = MulDiv255(in[2] ^ flip, k);
  }
}

}  // namespace

bool DecodeJpeg(FileBytes file, Bitmap& bitmap) {
  JpegMarkers markers;
  if (!ReadJpegMarkers(file, markers)) {
    return false;
  }
  const TurboJpegHandle handle(tjInitDecompress());
  if (!handle) {
    return false;
  }
  auto* data = const_cast<unsigned char*>(file.data());  // TurboJPEG 2.1 lacks const
  const auto size = static_cast<unsigned long>(file.size());
  int width = 0, height = 0, subsampling = 0, colourspace = 0;
  if (tjDecompressHeader3(handle.get(), data, size, &width, &height, &subsampling, &colourspace) !=
          0 ||
      width <= 0 || height <= 0) {
    return false;
  }
  const auto w = static_cast<std::uint32_t>(width);
  const auto h = static_cast<std::uint32_t>(height);
  const bool cmyk = colourspace == TJCS_CMYK || colourspace == TJCS_YCCK;
  const PixelFormat format = colourspace == TJCS_GRAY ? PixelFormat::Gray : PixelFormat::Rgb;
  // CMYK goes through a 4-byte-per-pixel buffer, so that is what must stay within the limit.
  if ((cmyk && !WithinDecodeLimit(w, h, PixelFormat::Argb)) ||
      !AllocatePixels(bitmap, w, h, format)) {
    return false;
  }
  if (cmyk) {
    std::vector<std::uint8_t> inks(std::size_t{w} * h * 4);
    if (tjDecompress2(handle.get(), data, size, inks.data(), width, 0, height, TJPF_CMYK,
                      kDecodeFlags) != 0) {
      return false;
    }
    CmykToRgb(inks, markers.adobe, bitmap.pixels.data());
  } else if (tjDecompress2(handle.get(), data, size, bitmap.pixels.data(), width, 0, height,
                           format == PixelFormat::Gray ? TJPF_GRAY : TJPF_RGB, kDecodeFlags) != 0) {
    return false;
  }
  bitmap.iccProfile = std::move(markers.iccProfile);
  MakeUpright(bitmap, ExifOrientation(markers.exif));
  return true;
}

bool EncodeJpeg(const Bitmap& bitmap, Output& file) {
  const TurboJpegHandle handle(tjInitCompress());
  if (!handle) {
    return false;
  }
  // RGB and gray pictures are compressed straight from the bitmap; others are flattened first.
  std::vector<std::uint8_t> flattened;
  const std::uint8_t* source = bitmap.pixels.data();
  if (bitmap.format == PixelFormat::Argb || bitmap.format == PixelFormat::Indexed) {
    flattened = FlattenOntoWhite(bitmap);
    source = flattened.data();
  }
  const bool gray = bitmap.format == PixelFormat::Gray;
  unsigned char* compressed = nullptr;
  unsigned long compressedSize = 0;
  const int result =
      tjCompress2(handle.get(), source, static_cast<int>(bitmap.width), 0,
                  static_cast<int>(bitmap.height), gray ? TJPF_GRAY : TJPF_RGB, &compressed,
                  &compressedSize, gray ? TJSAMP_GRAY : TJSAMP_420, kQuality, 0);
  const TurboJpegBuffer owner(compressed);
  if (result != 0 || !owner) {
    return false;
  }
  const std::span<const std::uint8_t> jpeg(owner.get(), compressedSize);
  if (bitmap.iccProfile.empty()) {
    file.assign(jpeg.begin(), jpeg.end());
    return true;
  }
  file = WithColourProfile(jpeg, bitmap.iccProfile);
  return !file.empty();
}

}  // namespace rt::picture
