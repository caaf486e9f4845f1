// Pictures for tests, written byte by byte so that no test leans on our own encoders.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/bytes.h"
#include "runtime/posix/picture/picture_codec.h"

namespace testing_support {

// A 24-bit BMP file. Pixel (x, y), counted from the top-left corner, is
// (x * 60 + seed, y * 90, 200) in red, green and blue, each taken modulo 256.
rt::Bytes MakeBmp24(std::uint32_t width, std::uint32_t height, std::uint8_t seed = 0);

// Decodes a picture file; a failed decode gives an empty bitmap (width 0).
rt::picture::Bitmap Decode(const rt::Bytes& file);
rt::picture::Bitmap DecodeFile(const std::string& path);

}  // namespace testing_support
