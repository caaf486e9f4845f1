// Orientation as EXIF and TIFF record it (1 = upright .. 8), and turning a bitmap upright.
#pragma once

#include <cstdint>
#include <span>

#include "runtime/posix/picture/picture_codec.h"

namespace rt::picture {

// The Orientation tag (0x0112) of IFD0 in a TIFF-structured block such as a JPEG's Exif data
// (the bytes after "Exif\0\0"). Returns 1 when the block is malformed or has no such tag.
int ExifOrientation(std::span<const std::uint8_t> tiffBlock);

// Rotates and/or mirrors the bitmap so that a picture stored with this orientation shows upright.
// Values outside 2..8 leave it unchanged.
void MakeUpright(Bitmap& bitmap, int orientation);

}  // namespace rt::picture
