// Generated test pictures, the same on every run.
#pragma once

#include <cstdint>

#include "direct_codecs.h"

namespace bench {

// Smooth colour waves and gradients with a few sharp-edged discs and light noise: the kind of
// content a photograph has, without its texture.
RgbPicture GradientWithNoise(std::uint32_t width, std::uint32_t height);

// Flat rectangles in a handful of colours with thin lines, like a chart or a screenshot.
RgbPicture FlatGraphics(std::uint32_t width, std::uint32_t height);

}  // namespace bench
