// Conversions between pixel formats, for encoders whose file format cannot hold the bitmap's own.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/posix/picture/picture_codec.h"

namespace rt::picture {

// True when some palette entry is not fully opaque.
bool PaletteHasAlpha(const std::vector<PaletteEntry>& palette);

// An indexed bitmap as true colour: Argb when the palette has alpha, Rgb otherwise.
Bitmap ExpandPalette(const Bitmap& indexed);

// Pixels for a format without alpha: Gray stays 1 byte per pixel, everything else becomes R,G,B,
// with transparent pixels blended onto white (what a viewer shows on a blank page).
std::vector<std::uint8_t> FlattenOntoWhite(const Bitmap& bitmap);

}  // namespace rt::picture
