// Helpers shared by the picture codec tests: fixture files, the manifest, pixel comparison.
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "runtime/posix/picture/picture_codec.h"

namespace picture_test {

using Bytes = std::vector<std::uint8_t>;

std::filesystem::path FixturePath(const std::string& name);
Bytes ReadFile(const std::filesystem::path& path);
Bytes ReadFixture(const std::string& name);

// One line of fixtures/MANIFEST.
struct FixtureCase {
  std::string file;
  rt::picture::PixelFormat format;
  int tolerance;  // largest channel difference allowed against the reference
  std::string reference;
  std::uint32_t width, height;
};
inline void PrintTo(const FixtureCase& c, std::ostream* out) {
  *out << c.file;
}
std::vector<FixtureCase> LoadManifest();
std::string CaseName(const std::string& file);  // a test name made from a file name

// Decodes a fixture, failing the calling test when it does not decode.
rt::picture::Bitmap DecodeFixture(const std::string& name);

// Every pixel as R, G, B, A.
Bytes ToRgba(const rt::picture::Bitmap& bitmap);

// Largest difference of any channel; colour is ignored where both pixels are fully transparent.
int MaxDifference(const Bytes& rgbaA, const Bytes& rgbaB);

// Peak signal-to-noise ratio of the colour channels, in dB (RGBA input, alpha ignored).
double Psnr(const Bytes& rgbaA, const Bytes& rgbaB);

// The picture as a viewer on white would show it, as RGBA with alpha 255.
Bytes OnWhite(const Bytes& rgba);

}  // namespace picture_test
