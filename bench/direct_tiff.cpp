// TIFF through libtiff, called directly, written into memory.
#include <tiffio.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "direct_codecs.h"

namespace bench {
namespace {

constexpr std::size_t kStripTarget = 256 * 1024;

struct MemoryFile {
  Output* out;
  std::uint64_t position;
};

MemoryFile& FileOf(thandle_t handle) {
  return *static_cast<MemoryFile*>(handle);
}

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
  MemoryFile& file = FileOf(handle);
  const std::uint64_t available =
      file.position < file.out->size() ? file.out->size() - file.position : 0;
  const auto count = std::min<std::uint64_t>(static_cast<std::uint64_t>(size), available);
  if (count > 0) {
    std::memcpy(buffer, file.out->data() + file.position, count);
  }
  file.position += count;
  return static_cast<tmsize_t>(count);
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size) {
  MemoryFile& file = FileOf(handle);
  const auto count = static_cast<std::uint64_t>(size);
  if (file.position + count > file.out->size()) {
    file.out->resize(file.position + count);
  }
  std::memcpy(file.out->data() + file.position, buffer, count);
  file.position += count;
  return size;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  MemoryFile& file = FileOf(handle);
  const std::uint64_t base = whence == SEEK_CUR   ? file.position
                             : whence == SEEK_END ? file.out->size()
                                                  : 0;
  file.position = base + offset;
  return file.position;
}

int CloseProc(thandle_t) {
  return 0;
}

toff_t SizeProc(thandle_t handle) {
  return FileOf(handle).out->size();
}

int MapProc(thandle_t, void**, toff_t*) {
  return 0;
}

void UnmapProc(thandle_t, void*, toff_t) {}

struct TiffCloser {
  void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

bool WriteTags(TIFF* tiff, const RgbPicture& picture, std::uint32_t rowsPerStrip) {
  return TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, picture.width) &&
         TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, picture.height) &&
         TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) &&
         TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3) &&
         TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
         TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
         TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
         TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW) &&
         TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL) &&
         TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
}

}  // namespace

bool EncodeTiffDirect(const RgbPicture& picture, Output& file) {
  file.clear();
  MemoryFile memory{&file, 0};
  const std::unique_ptr<TIFF, TiffCloser> tiff(TIFFClientOpen("memory", "w", &memory, ReadProc,
                                                              WriteProc, SeekProc, CloseProc,
                                                              SizeProc, MapProc, UnmapProc));
  const std::size_t rowBytes = std::size_t{picture.width} * 3;
  const std::size_t rowsPerStrip =
      std::min<std::size_t>(std::max<std::size_t>(1, kStripTarget / rowBytes), picture.height);
  if (!tiff || !WriteTags(tiff.get(), picture, static_cast<std::uint32_t>(rowsPerStrip))) {
    return false;
  }
  // The predictor rewrites the strip it is given, so each strip goes through a copy.
  std::vector<std::uint8_t> strip(rowsPerStrip * rowBytes);
  std::uint32_t index = 0;
  for (std::size_t y = 0; y < picture.height; y += rowsPerStrip, ++index) {
    const std::size_t bytes = std::min(rowsPerStrip, picture.height - y) * rowBytes;
    std::memcpy(strip.data(), picture.pixels.data() + y * rowBytes, bytes);
    if (TIFFWriteEncodedStrip(tiff.get(), index, strip.data(), static_cast<tmsize_t>(bytes)) < 0) {
      return false;
    }
  }
  return TIFFWriteDirectory(tiff.get()) != 0;
}

}  // namespace bench
