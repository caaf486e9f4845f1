// Malformed input: every case must fail cleanly (false, bitmap untouched) without reading out of
// bounds or allocating what the header claims. The sanitizer build runs these too.
#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <ostream>
#include <string>

#include "picture_test_support.h"

namespace picture_test {
namespace {

using rt::picture::Bitmap;
using rt::picture::DecodePicture;

// Decodes into a bitmap holding a known picture and checks that it fails and leaves it alone.
void ExpectRejected(const Bytes& file) {
  Bitmap bitmap = DecodeFixture("png-palette-1.png");
  const Bitmap before = bitmap;
  EXPECT_FALSE(DecodePicture(file, bitmap));
  EXPECT_EQ(bitmap.width, before.width);
  EXPECT_EQ(bitmap.height, before.height);
  EXPECT_EQ(bitmap.pixels, before.pixels);
  EXPECT_EQ(bitmap.palette, before.palette);
}

// ---- Truncation -----------------------------------------------------------------------------

class TruncatedFixtureTest : public testing::TestWithParam<FixtureCase> {};

TEST_P(TruncatedFixtureTest, FailsWhenCutShort) {
  const Bytes whole = ReadFixture(GetParam().file);
  Bitmap decoded;
  ASSERT_TRUE(DecodePicture(whole, decoded));  // the cut below is what makes it fail
  for (const std::size_t percent : {std::size_t{1}, std::size_t{40}, std::size_t{70}}) {
    const Bytes cut(whole.begin(),
                    whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * percent / 100));
    SCOPED_TRACE(std::to_string(percent) + "% kept");
    ExpectRejected(cut);
  }
}

// Files whose first picture ends well before the file does: cutting them short leaves a
// complete first picture, which decodes.
bool FirstPictureIsWhole(const FixtureCase& c) {
  return c.file == "gif-animated.gif" || c.file == "tiff-two-pages.tif";
}

std::vector<FixtureCase> SinglePictureFixtures() {
  std::vector<FixtureCase> cases = LoadManifest();
  std::erase_if(cases, FirstPictureIsWhole);
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, TruncatedFixtureTest, testing::ValuesIn(SinglePictureFixtures()),
                         [](const testing::TestParamInfo<FixtureCase>& param) {
                           return CaseName(param.param.file);
                         });

// ---- Crafted files --------------------------------------------------------------------------

void PutBe32(Bytes& file, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) {
    file.at(at + i) = static_cast<std::uint8_t>(value >> (24 - 8 * i));
  }
}

void PutLe(Bytes& file, std::size_t at, std::uint32_t value, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) {
    file.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

std::uint32_t GetLe(const Bytes& file, std::size_t at, std::size_t bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = bytes; i > 0; --i) {
    value = value << 8 | file.at(at + i - 1);
  }
  return value;
}

Bytes PngChunk(const char* type, const Bytes& data) {
  Bytes chunk(4);
  PutBe32(chunk, 0, static_cast<std::uint32_t>(data.size()));
  chunk.insert(chunk.end(), type, type + 4);
  chunk.insert(chunk.end(), data.begin(), data.end());
  const auto crc =
      static_cast<std::uint32_t>(crc32(0, chunk.data() + 4, static_cast<uInt>(chunk.size() - 4)));
  chunk.resize(chunk.size() + 4);
  PutBe32(chunk, chunk.size() - 4, crc);
  return chunk;
}

// A gray PNG of the given size whose IDAT holds `rawBytes` zero bytes, deflated.
Bytes GrayPng(std::uint32_t width, std::uint32_t height, std::size_t rawBytes) {
  Bytes file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  Bytes header(13, 0);
  PutBe32(header, 0, width);
  PutBe32(header, 4, height);
  header[8] = 8;  // bit depth; colour type 0 (gray)
  const Bytes raw(rawBytes, 0);
  Bytes compressed(compressBound(static_cast<uLong>(raw.size())));
  uLongf length = static_cast<uLongf>(compressed.size());
  compress(compressed.data(), &length, raw.data(), static_cast<uLong>(raw.size()));
  compressed.resize(length);
  for (const Bytes& chunk :
       {PngChunk("IHDR", header), PngChunk("IDAT", compressed), PngChunk("IEND", {})}) {
    file.insert(file.end(), chunk.begin(), chunk.end());
  }
  return file;
}

Bytes PngWithSize(std::uint32_t width, std::uint32_t height) {
  Bytes file = ReadFixture("png-rgb-8.png");
  PutBe32(file, 16, width);
  PutBe32(file, 20, height);
  PutBe32(file, 29, static_cast<std::uint32_t>(crc32(0, file.data() + 12, 17)));
  return file;
}

// A GIF with a 2-colour table; `screen` and `frame` sides, then the given LZW bytes.
Bytes HandMadeGif(std::uint16_t screen, std::uint16_t frame, const Bytes& lzw) {
  Bytes file{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255};
  PutLe(file, 6, screen, 2);
  PutLe(file, 8, screen, 2);
  const Bytes descriptor{0x2c, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  file.insert(file.end(), descriptor.begin(), descriptor.end());
  PutLe(file, file.size() - 9 + 4, frame, 2);
  PutLe(file, file.size() - 9 + 6, frame, 2);
  file.push_back(2);  // minimum code size
  file.push_back(static_cast<std::uint8_t>(lzw.size()));
  file.insert(file.end(), lzw.begin(), lzw.end());
  file.push_back(0);
  file.push_back(0x3b);
  return file;
}

// Offset of the start-of-frame segment's height field in a JPEG.
std::size_t JpegFrameSizeAt(const Bytes& file) {
  for (std::size_t i = 2; i + 9 < file.size(); ++i) {
    if (file[i] == 0xff && (file[i + 1] == 0xc0 || file[i + 1] == 0xc2)) {
      return i + 5;
    }
  }
  return 0;
}

// Offset of the first image directory of a little-endian classic TIFF.
std::size_t TiffFirstDirectory(const Bytes& file) {
  return GetLe(file, 4, 4);
}

Bytes TiffWithSize(std::uint32_t side) {
  Bytes file = ReadFixture("tiff-rgb-none.tif");
  const std::size_t directory = TiffFirstDirectory(file);
  const std::size_t count = GetLe(file, directory, 2);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = directory + 2 + i * 12;
    const std::uint32_t tag = GetLe(file, entry, 2);
    if (tag == 256 || tag == 257) {  // width, length: rewritten as LONG values
      PutLe(file, entry + 2, 4, 2);
      PutLe(file, entry + 4, 1, 4);
      PutLe(file, entry + 8, side, 4);
    }
  }
  return file;
}

struct Crafted {
  const char* name;
  std::function<Bytes()> make;
};

// Names the case in test listings instead of printing its bytes, which hold addresses.
void PrintTo(const Crafted& crafted, std::ostream* out) {
  *out << crafted.name;
}

class CraftedFileTest : public testing::TestWithParam<Crafted> {};

TEST_P(CraftedFileTest, IsRejected) {
  ExpectRejected(GetParam().make());
}

const Crafted kCrafted[] = {
    {"Empty", [] { return Bytes{}; }},
    {"PngSignatureOnly", [] { return Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}; }},
    {"JpegSignatureOnly",
     [] {
       return Bytes{0xff, 0xd8, 0xff};
     }},
    {"GifSignatureOnly", [] { return Bytes{'G', 'I', 'F', '8', '9', 'a'}; }},
    {"BmpSignatureOnly",
     [] {
       return Bytes{'B', 'M'};
     }},
    {"TiffSignatureOnly",
     [] {
       return Bytes{'I', 'I', 42, 0};
     }},
    {"IcoSignatureOnly",
     [] {
       return Bytes{0, 0, 1, 0};
     }},
    {"PngClaims100000Square", [] { return PngWithSize(100000, 100000); }},
    {"PngOverPixelLimit", [] { return PngWithSize(20000, 20000); }},
    // 15000 x 15000 gray is within the pixel limit, but no 200-byte deflate stream expands to it.
    {"PngDecompressionBomb", [] { return GrayPng(15000, 15000, 100000); }},
    {"PngCorruptChunkCrc",
     [] {
       Bytes file = ReadFixture("png-rgb-8.png");
       file[30] ^= 0xff;  // IHDR's CRC
       return file;
     }},
    {"JpegClaims65500Square",
     [] {
       Bytes file = ReadFixture("jpeg-baseline.jpg");
       const std::size_t at = JpegFrameSizeAt(file);
       file.at(at) = file.at(at + 2) = 0xff;
       file.at(at + 1) = file.at(at + 3) = 0xdc;
       return file;
     }},
    {"JpegMarkerLengthPastEnd",
     [] {
       Bytes file = ReadFixture("jpeg-baseline.jpg");
       file.resize(200);
       file[4] = file[5] = 0xff;  // first segment's length
       return file;
     }},
    {"GifBrokenLzwStream",
     [] {
       return HandMadeGif(4, 4, {0xff, 0xff, 0xff, 0xff});
     }},
    {"GifOverPixelLimit",
     [] {
       return HandMadeGif(65535, 65535, {0x44, 0x01});
     }},
    {"BmpClaims100000Square",
     [] {
       Bytes file = ReadFixture("bmp-24.bmp");
       PutLe(file, 18, 100000, 4);
       PutLe(file, 22, 100000, 4);
       return file;
     }},
    {"BmpPixelsOffsetOutsideFile",
     [] {
       Bytes file = ReadFixture("bmp-24.bmp");
       PutLe(file, 10, 0xffffff00u, 4);
       return file;
     }},
    {"BmpPixelsOffsetNearEnd",
     [] {
       Bytes file = ReadFixture("bmp-24.bmp");
       PutLe(file, 10, static_cast<std::uint32_t>(file.size() - 8), 4);
       return file;
     }},
    {"BmpColourCountBeyondTable",
     [] {
       Bytes file = ReadFixture("bmp-8.bmp");
       PutLe(file, 10, 54, 4);  // pixels said to start where the colour table does
       return file;
     }},
    {"TiffDirectoryLoop",
     [] {
       Bytes file = ReadFixture("tiff-rgb-none.tif");
       const std::size_t directory = TiffFirstDirectory(file);
       const std::size_t next = directory + 2 + std::size_t{GetLe(file, directory, 2)} * 12;
       PutLe(file, next, static_cast<std::uint32_t>(directory), 4);
       return file;
     }},
    {"TiffDirectoryOutsideFile",
     [] {
       Bytes file = ReadFixture("tiff-rgb-none.tif");
       PutLe(file, 4, 0x7ffffff0u, 4);
       return file;
     }},
    {"TiffClaims100000Square", [] { return TiffWithSize(100000); }},
    {"TiffOverPixelLimit", [] { return TiffWithSize(30000); }},
    {"IcoEntryOutsideFile",
     [] {
       Bytes file = ReadFixture("ico-24-mask.ico");
       PutLe(file, 6 + 12, 0xffffff00u, 4);
       return file;
     }},
    {"IcoNoEntries",
     [] {
       Bytes file = ReadFixture("ico-24-mask.ico");
       PutLe(file, 4, 0, 2);
       return file;
     }},
    {"IcoImageClaims100000Wide",
     [] {
       Bytes file = ReadFixture("ico-24-mask.ico");
       PutLe(file, GetLe(file, 6 + 12, 4) + 4, 100000, 4);
       return file;
     }},
};

INSTANTIATE_TEST_SUITE_P(Malformed, CraftedFileTest, testing::ValuesIn(kCrafted),
                         [](const testing::TestParamInfo<Crafted>& param) {
                           return std::string(param.param.name);
                         });

TEST(CraftedFiles, UnspoiltBasesDecode) {
  // The crafted cases above spoil these files; unspoilt, each decodes, so the spoiling is what
  // each case tests.
  for (const char* base : {"png-rgb-8.png", "jpeg-baseline.jpg", "bmp-24.bmp", "bmp-8.bmp",
                           "tiff-rgb-none.tif", "ico-24-mask.ico"}) {
    Bitmap bitmap;
    EXPECT_TRUE(DecodePicture(ReadFixture(base), bitmap)) << base;
  }
  Bitmap bitmap;
  EXPECT_TRUE(DecodePicture(GrayPng(16, 16, std::size_t{16} * 17), bitmap));
  EXPECT_TRUE(DecodePicture(HandMadeGif(1, 1, {0x44, 0x01}), bitmap));
}

}  // namespace
}  // namespace picture_test
