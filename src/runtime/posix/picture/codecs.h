// The per-format codecs behind DecodePicture and EncodePicture. Each decoder fills a fresh
// bitmap; the caller hands it out only on success. Each encoder appends to an empty vector.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "runtime/posix/picture/picture_codec.h"

namespace rt::picture {

using FileBytes = std::span<const std::uint8_t>;
using Output = std::vector<std::uint8_t>;

bool DecodeBmp(FileBytes file, Bitmap& bitmap);
bool DecodeGif(FileBytes file, Bitmap& bitmap);
bool DecodeJpeg(FileBytes file, Bitmap& bitmap);
bool DecodePng(FileBytes file, Bitmap& bitmap);
bool DecodeTiff(FileBytes file, Bitmap& bitmap);
bool DecodeIco(FileBytes file, Bitmap& bitmap);

bool EncodeBmp(const Bitmap& bitmap, Output& file);
bool EncodeGif(const Bitmap& bitmap, Output& file);
bool EncodeJpeg(const Bitmap& bitmap, Output& file);
bool EncodePng(const Bitmap& bitmap, Output& file);
bool EncodeTiff(const Bitmap& bitmap, Output& file);

}  // namespace rt::picture
