#include "synthetic.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace bench {
namespace {

std::uint8_t Clamp(double value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
}

// xorshift32: deterministic noise.
class Noise {
 public:
  int Next(int amplitude) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<int>(state_ % static_cast<std::uint32_t>(2 * amplitude + 1)) - amplitude;
  }

 private:
  std::uint32_t state_ = 2463534242u;
};

}  // namespace

RgbPicture GradientWithNoise(std::uint32_t width, std::uint32_t height) {
  RgbPicture picture{width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 3)};
  Noise noise;
  const double w = width, h = height;
  std::uint8_t* out = picture.pixels.data();
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x, out += 3) {
      const double fx = x / w, fy = y / h;
      double r = 128 + 100 * std::sin(fx * 9.0 + fy * 4.0);
      double g = 255 * fx * (1 - fy) + 40 * std::cos(fy * 13.0);
      double b = 200 * fy + 50 * std::sin(fx * fy * 30.0);
      const double dx = fx - 0.5, dy = fy - 0.5;
      if (dx * dx + dy * dy < 0.04 || std::abs(fx - 0.2) + std::abs(fy - 0.7) < 0.08) {
        r = 255 - r;
        b = b * 0.5;
      }
      out[0] = Clamp(r + noise.Next(6));
      out[1] = Clamp(g + noise.Next(6));
      out[2] = Clamp(b + noise.Next(6));
    }
  }
  return picture;
}

RgbPicture FlatGraphics(std::uint32_t width, std::uint32_t height) {
  static constexpr std::array<std::array<std::uint8_t, 3>, 6> kColours{{{230, 57, 70},
                                                                        {241, 250, 238},
                                                                        {168, 218, 220},
                                                                        {69, 123, 157},
                                                                        {29, 53, 87},
                                                                        {255, 183, 3}}};
  RgbPicture picture{width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 3)};
  std::uint8_t* out = picture.pixels.data();
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x, out += 3) {
      std::size_t colour = (x / 300 + 2 * (y / 200)) % kColours.size();
      if (x % 60 == 0 || y % 40 == 0) {
        colour = 4;  // grid lines
      } else if ((x / 150 + y / 100) % 7 == 0) {
        colour = 1;  // blank panels
      }
      std::copy(kColours[colour].begin(), kColours[colour].end(), out);
    }
  }
  return picture;
}

}  // namespace bench
