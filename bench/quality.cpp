#include "quality.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "runtime/posix/picture/picture_codec.h"

namespace bench {
namespace {

double PsnrOf(double squaredError, std::uint64_t samples) {
  if (squaredError == 0) {
    return std::numeric_limits<double>::infinity();
  }
  return 10 * std::log10(255.0 * 255.0 * static_cast<double>(samples) / squaredError);
}

// The colour of pixel i of a decoded bitmap, whatever its format.
void ColourAt(const rt::picture::Bitmap& bitmap, std::size_t i, std::uint8_t (&rgb)[3]) {
  using rt::picture::PixelFormat;
  switch (bitmap.format) {
    case PixelFormat::Indexed: {
      const rt::picture::PaletteEntry& entry = bitmap.palette[bitmap.pixels[i]];
      rgb[0] = entry.red;
      rgb[1] = entry.green;
      rgb[2] = entry.blue;
      return;
    }
    case PixelFormat::Gray:
      rgb[0] = rgb[1] = rgb[2] = bitmap.pixels[i];
      return;
    case PixelFormat::Rgb:
      rgb[0] = bitmap.pixels[3 * i];
      rgb[1] = bitmap.pixels[3 * i + 1];
      rgb[2] = bitmap.pixels[3 * i + 2];
      return;
    case PixelFormat::Argb:
      rgb[0] = bitmap.pixels[4 * i];
      rgb[1] = bitmap.pixels[4 * i + 1];
      rgb[2] = bitmap.pixels[4 * i + 2];
      return;
  }
}

}  // namespace

bool QualityMeter::Add(const SourcePicture& source, const rt::Bytes& converted) {
  rt::picture::Bitmap bitmap;
  if (!rt::picture::DecodePicture(converted, bitmap) || bitmap.width != source.width ||
      bitmap.height != source.height) {
    return false;
  }
  const std::size_t count = std::size_t{bitmap.width} * bitmap.height;
  double error = 0;
  for (std::size_t i = 0; i < count; ++i) {
    std::uint8_t rgb[3]{};
    ColourAt(bitmap, i, rgb);
    for (std::size_t c = 0; c < 3; ++c) {
      const double difference =
          static_cast<double>(rgb[c]) - static_cast<double>(source.reference[3 * i + c]);
      error += difference * difference;
    }
  }
  squaredError_ += error;
  samples_ += 3 * count;
  worst_ = std::min(worst_, PsnrOf(error, 3 * count));
  return true;
}

double QualityMeter::Psnr() const {
  return samples_ == 0 ? std::numeric_limits<double>::quiet_NaN() : PsnrOf(squaredError_, samples_);
}

}  // namespace bench
