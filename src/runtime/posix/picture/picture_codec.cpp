#include "runtime/posix/picture/picture_codec.h"

#include <new>
#include <utility>

#include "runtime/posix/picture/codecs.h"
#include "runtime/posix/picture/pixel_buffer.h"
#include "runtime/posix/picture/signature.h"

namespace rt::picture {
namespace {

bool DecodeByFormat(FileBytes file, Bitmap& bitmap) {
  switch (DetectFormat(file)) {
    case FileFormat::Bmp:
      return DecodeBmp(file, bitmap);
    case FileFormat::Gif:
      return DecodeGif(file, bitmap);
    case FileFormat::Jpeg:
      return DecodeJpeg(file, bitmap);
    case FileFormat::Png:
      return DecodePng(file, bitmap);
    case FileFormat::Tiff:
      return DecodeTiff(file, bitmap);
    case FileFormat::Ico:
      return DecodeIco(file, bitmap);
    case FileFormat::Unknown:
      break;
  }
  return false;
}

bool EncodeByFormat(const Bitmap& bitmap, Encoder encoder, Output& file) {
  switch (encoder) {
    case Encoder::Bmp:
      return EncodeBmp(bitmap, file);
    case Encoder::Jpeg:
      return EncodeJpeg(bitmap, file);
    case Encoder::Gif:
      return EncodeGif(bitmap, file);
    case Encoder::Tiff:
      return EncodeTiff(bitmap, file);
    case Encoder::Png:
      return EncodePng(bitmap, file);
  }
  return false;
}

}  // namespace

bool DecodePicture(std::span<const std::uint8_t> file, Bitmap& bitmap) {
  try {
    Bitmap decoded;
    if (!DecodeByFormat(file, decoded)) {
      return false;
    }
    bitmap = std::move(decoded);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool EncodePicture(const Bitmap& bitmap, Encoder encoder, std::vector<std::uint8_t>& file) {
  try {
    if (!IsConsistent(bitmap)) {
      return false;
    }
    Output encoded;
    if (!EncodeByFormat(bitmap, encoder, encoded)) {
      return false;
    }
    file = std::move(encoded);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace rt::picture
