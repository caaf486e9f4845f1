// Colour reduction for GIF: any RGB or ARGB bitmap to at most 256 palette indexes.
//
// A picture with few enough colours keeps them exactly. Otherwise Wu's variance-minimising
// box cuts over a 5-bit-per-channel histogram pick the palette, a few refinement passes over the
// histogram move each colour to the mean of the cells nearest to it, and Floyd-Steinberg error
// diffusion maps the pixels, finding nearest colours through a lazily filled lookup table.
// Every step is linear in the pixel count or bounded by the histogram size.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/posix/picture/picture_codec.h"

namespace rt::picture {

struct QuantisedPicture {
  std::vector<std::uint8_t> indexes;  // one per pixel
  std::vector<PaletteEntry> palette;  // at most 256 entries, all opaque but the transparent one
  int transparentIndex = -1;          // -1 when no pixel is transparent
};

// Pixels with alpha below half become the transparent index.
QuantisedPicture Quantise(const Bitmap& bitmap);

}  // namespace rt::picture
