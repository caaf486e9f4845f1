// Picture codecs for the Linux build: decode any supported picture file held in memory into a
// bitmap, and encode a bitmap into one of five file formats in memory.
//
// Decoding reads BMP, GIF (first frame), JPEG, PNG, TIFF (first page) and ICO (largest image);
// the format is recognised by the file's signature bytes, never by its name. Pictures come out
// upright: an EXIF or TIFF orientation is applied while decoding, so no output carries one.
//
// Decode limit: a picture is refused before any pixel memory is allocated when a side is 0 or
// larger than kMaxPictureSide, or when its pixel buffer at the decoded format would exceed
// kMaxPixelBytes. Where the file format bounds how many pixels a file of a given size can hold
// (uncompressed BMP exactly, deflate at 1032:1, ...), a header claiming more is refused as well.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace rt::picture {

inline constexpr std::uint32_t kMaxPictureSide = 65535;
inline constexpr std::uint64_t kMaxPixelBytes = std::uint64_t{1} << 28;  // 256 MiB

// How the bytes of Bitmap::pixels are laid out. Sources with 16 bits per sample come out with 8;
// a gray source with alpha (or a transparent colour) comes out as Argb.
enum class PixelFormat {
  Indexed,  // 1 byte per pixel indexing palette; transparency lives in the palette's alpha
  Gray,     // 1 byte per pixel, 0 black .. 255 white
  Rgb,      // R, G, B
  Argb,     // R, G, B, A with straight (not premultiplied) alpha
};

struct PaletteEntry {
  std::uint8_t red = 0, green = 0, blue = 0, alpha = 255;
  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// A decoded picture: rows top-down, no padding between rows.
struct Bitmap {
  std::uint32_t width = 0, height = 0;
  PixelFormat format = PixelFormat::Rgb;
  std::vector<std::uint8_t> pixels;
  std::vector<PaletteEntry> palette;     // Indexed only, at most 256 entries, covers every index
  std::vector<std::uint8_t> iccProfile;  // embedded colour profile, empty when none
};

enum class Encoder { Bmp, Jpeg, Gif, Tiff, Png };

// Returns false for an unsupported or malformed file, leaving bitmap untouched.
bool DecodePicture(std::span<const std::uint8_t> file, Bitmap& bitmap);

// Returns false when the bitmap is inconsistent or the encoder fails, leaving file untouched.
// BMP keeps indexed and gray pictures as palettes and alpha as 32-bit; JPEG (quality 75, 4:2:0)
// puts a picture with alpha onto white; GIF quantises true colour to 256 colours; TIFF (LZW) and
// PNG keep the pixel format. JPEG, TIFF and PNG carry the colour profile.
bool EncodePicture(const Bitmap& bitmap, Encoder encoder, std::vector<std::uint8_t>& file);

}  // namespace rt::picture
