#include "picture_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

namespace picture_test {

using rt::picture::Bitmap;
using rt::picture::PixelFormat;

std::filesystem::path FixturePath(const std::string& name) {
  return std::filesystem::path(PICTURE_FIXTURES) / name;
}

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes ReadFixture(const std::string& name) {
  return ReadFile(FixturePath(name));
}

std::vector<FixtureCase> LoadManifest() {
  std::vector<FixtureCase> cases;
  std::ifstream in(FixturePath("MANIFEST"));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::istringstream fields(line);
    FixtureCase c{};
    std::string format;
    fields >> c.file >> format >> c.tolerance >> c.reference >> c.width >> c.height;
    c.format = format == "indexed" ? PixelFormat::Indexed
               : format == "gray"  ? PixelFormat::Gray
               : format == "rgb"   ? PixelFormat::Rgb
                                   : PixelFormat::Argb;
    cases.push_back(c);
  }
  return cases;
}

std::string CaseName(const std::string& file) {
  std::string name;
  for (const char c : file) {
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  }
  return name;
}

Bitmap DecodeFixture(const std::string& name) {
  Bitmap bitmap;
  const Bytes file = ReadFixture(name);
  EXPECT_FALSE(file.empty()) << name;
  EXPECT_TRUE(rt::picture::DecodePicture(file, bitmap)) << name;
  return bitmap;
}

Bytes ToRgba(const Bitmap& bitmap) {
  const std::size_t count = std::size_t{bitmap.width} * bitmap.height;
  Bytes rgba(count * 4);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint8_t* out = rgba.data() + 4 * i;
    const std::uint8_t* in = bitmap.pixels.data();
    switch (bitmap.format) {
      case PixelFormat::Indexed: {
        const auto& entry = bitmap.palette.at(in[i]);
        out[0] = entry.red;
        out[1] = entry.green;
        out[2] = entry.blue;
        out[3] = entry.alpha;
        break;
      }
      case PixelFormat::Gray:
        out[0] = out[1] = out[2] = in[i];
        out[3] = 255;
        break;
      case PixelFormat::Rgb:
        std::copy_n(in + 3 * i, 3, out);
        out[3] = 255;
        break;
      case PixelFormat::Argb:
        std::copy_n(in + 4 * i, 4, out);
        break;
    }
  }
  return rgba;
}

int MaxDifference(const Bytes& rgbaA, const Bytes& rgbaB) {
  if (rgbaA.size() != rgbaB.size()) {
    return 256;
  }
  int largest = 0;
  for (std::size_t i = 0; i < rgbaA.size(); i += 4) {
    const bool bothClear = rgbaA[i + 3] == 0 && rgbaB[i + 3] == 0;
    for (std::size_t c = bothClear ? 3 : 0; c < 4; ++c) {
      largest = std::max(largest, std::abs(int{rgbaA[i + c]} - int{rgbaB[i + c]}));
    }
  }
  return largest;
}

double Psnr(const Bytes& rgbaA, const Bytes& rgbaB) {
  if (rgbaA.size() != rgbaB.size() || rgbaA.empty()) {
    return 0;
  }
  double squares = 0;
  for (std::size_t i = 0; i < rgbaA.size(); i += 4) {
    for (std::size_t c = 0; c < 3; ++c) {
      const double d = static_cast<double>(rgbaA[i + c]) - static_cast<double>(rgbaB[i + c]);
      squares += d * d;
    }
  }
  const double meanSquare = squares / static_cast<double>(rgbaA.size()) / 4 * 3;
  return meanSquare == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / meanSquare);
}

Bytes OnWhite(const Bytes& rgba) {
  Bytes out(rgba.size());
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    const unsigned alpha = rgba[i + 3];
    for (std::size_t c = 0; c < 3; ++c) {
      out[i + c] =
          static_cast<std::uint8_t>((rgba[i + c] * alpha + 255 * (255 - alpha) + 127) / 255);
    }
    out[i + 3] = 255;
  }
  return out;
}

}  // namespace picture_test
