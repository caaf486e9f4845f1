// Encoding: each encoder's output decodes back to the picture (exactly where the format is
// lossless and can hold the pixel format), and independent readers accept it.
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>
#include <tiffio.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <string_view>

#include "picture_test_support.h"

namespace picture_test {
namespace {

using rt::picture::Bitmap;
using rt::picture::DecodePicture;
using rt::picture::EncodePicture;
using rt::picture::Encoder;
using rt::picture::PixelFormat;

const char* EncoderName(Encoder encoder) {
  switch (encoder) {
    case Encoder::Bmp:
      return "Bmp";
    case Encoder::Jpeg:
      return "Jpeg";
    case Encoder::Gif:
      return "Gif";
    case Encoder::Tiff:
      return "Tiff";
    case Encoder::Png:
      return "Png";
  }
  return "?";
}

Bytes Encode(const Bitmap& bitmap, Encoder encoder) {
  Bytes file;
  EXPECT_TRUE(EncodePicture(bitmap, encoder, file)) << EncoderName(encoder);
  return file;
}

// What a format can keep of a picture: GIF has one fully transparent index, JPEG no alpha.
Bytes ExpectedAfter(Encoder encoder, const Bytes& rgba) {
  if (encoder == Encoder::Jpeg) {
    return OnWhite(rgba);
  }
  Bytes expected = rgba;
  if (encoder == Encoder::Gif) {
    for (std::size_t i = 3; i < expected.size(); i += 4) {
      expected[i] = expected[i] < 128 ? 0 : 255;
    }
  }
  return expected;
}

// ---- Round trips through our own decoder ----------------------------------------------------

struct RoundTrip {
  const char* source;
  Encoder encoder;
  PixelFormat decodedFormat;
  double minimumPsnr;  // 0: the pixels must come back exactly
};

void PrintTo(const RoundTrip& c, std::ostream* out) {
  *out << c.source << " to " << EncoderName(c.encoder);
}

class RoundTripTest : public testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTripTest, DecodesBackToThePicture) {
  const RoundTrip& c = GetParam();
  const Bitmap source = DecodeFixture(c.source);
  const Bytes file = Encode(source, c.encoder);
  Bitmap decoded;
  ASSERT_TRUE(DecodePicture(file, decoded));
  ASSERT_EQ(decoded.width, source.width);
  ASSERT_EQ(decoded.height, source.height);
  EXPECT_EQ(decoded.format, c.decodedFormat);
  const Bytes expected = ExpectedAfter(c.encoder, ToRgba(source));
  if (c.minimumPsnr == 0) {
    EXPECT_EQ(MaxDifference(ToRgba(decoded), expected), 0);
  } else {
    EXPECT_GE(Psnr(ToRgba(decoded), expected), c.minimumPsnr);
    RecordProperty("psnr", std::to_string(Psnr(ToRgba(decoded), expected)));
  }
  if (c.decodedFormat == PixelFormat::Indexed && source.format == PixelFormat::Indexed &&
      c.encoder != Encoder::Gif) {
    // The palette itself survives, order included; a TIFF colour map always has 2^bits entries.
    std::vector<rt::picture::PaletteEntry> palette = decoded.palette;
    if (c.encoder == Encoder::Tiff && palette.size() > source.palette.size()) {
      palette.resize(source.palette.size());
    }
    EXPECT_EQ(palette, source.palette);
  }
}

// Quality 75 with quarter-resolution chroma: photographs keep about 27 dB at this small size,
// and drawings with saturated red-blue edges lose more to the chroma subsampling.
constexpr double kJpegPsnr = 26;
constexpr double kJpegDrawingPsnr = 20;
constexpr double kGifPhotoPsnr = 33;

// clang-format off
const RoundTrip kRoundTrips[] = {
    {"png-rgb-8.png",        Encoder::Png,  PixelFormat::Rgb,     0},
    {"png-rgba-8.png",       Encoder::Png,  PixelFormat::Argb,    0},
    {"png-gray-8.png",       Encoder::Png,  PixelFormat::Gray,    0},
    {"png-palette-1.png",    Encoder::Png,  PixelFormat::Indexed, 0},
    {"png-palette-4.png",    Encoder::Png,  PixelFormat::Indexed, 0},
    {"png-palette-trns.png", Encoder::Png,  PixelFormat::Indexed, 0},
    {"source-photo.png",     Encoder::Png,  PixelFormat::Rgb,     0},
    {"png-rgb-8.png",        Encoder::Tiff, PixelFormat::Rgb,     0},
    {"png-rgba-8.png",       Encoder::Tiff, PixelFormat::Argb,    0},
    {"png-gray-8.png",       Encoder::Tiff, PixelFormat::Gray,    0},
    {"png-palette-4.png",    Encoder::Tiff, PixelFormat::Indexed, 0},
    {"png-palette-trns.png", Encoder::Tiff, PixelFormat::Argb,    0},
    {"source-photo.png",     Encoder::Tiff, PixelFormat::Rgb,     0},
    {"png-rgb-8.png",        Encoder::Bmp,  PixelFormat::Rgb,     0},
    {"png-rgba-8.png",       Encoder::Bmp,  PixelFormat::Argb,    0},
    {"png-gray-8.png",       Encoder::Bmp,  PixelFormat::Indexed, 0},
    {"png-palette-1.png",    Encoder::Bmp,  PixelFormat::Indexed, 0},
    {"png-palette-4.png",    Encoder::Bmp,  PixelFormat::Indexed, 0},
    {"png-palette-8.png",    Encoder::Bmp,  PixelFormat::Indexed, 0},
    {"png-palette-trns.png", Encoder::Bmp,  PixelFormat::Argb,    0},
    {"png-rgb-8.png",        Encoder::Gif,  PixelFormat::Indexed, 0},
    {"png-rgba-8.png",       Encoder::Gif,  PixelFormat::Indexed, 0},
    {"png-gray-8.png",       Encoder::Gif,  PixelFormat::Indexed, 0},
    {"png-palette-4.png",    Encoder::Gif,  PixelFormat::Indexed, 0},
    {"png-palette-trns.png", Encoder::Gif,  PixelFormat::Indexed, 0},
    {"source-photo.png",     Encoder::Gif,  PixelFormat::Indexed, kGifPhotoPsnr},
    {"jpeg-baseline.jpg",    Encoder::Gif,  PixelFormat::Indexed, kGifPhotoPsnr},
    {"source-photo.png",     Encoder::Jpeg, PixelFormat::Rgb,     kJpegPsnr},
    {"png-rgba-8.png",       Encoder::Jpeg, PixelFormat::Rgb,     kJpegDrawingPsnr},
    {"png-gray-8.png",       Encoder::Jpeg, PixelFormat::Gray,    kJpegPsnr},
    {"png-palette-trns.png", Encoder::Jpeg, PixelFormat::Rgb,     kJpegDrawingPsnr},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Encoders, RoundTripTest, testing::ValuesIn(kRoundTrips),
                         [](const testing::TestParamInfo<RoundTrip>& param) {
                           return CaseName(param.param.source) + "_to_" +
                                  EncoderName(param.param.encoder);
                         });

// ---- Independent readers --------------------------------------------------------------------

// libpng's simplified reader, separate from the code path our decoder uses.
Bytes ReadWithLibpng(const Bytes& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) {
    return {};
  }
  image.format = PNG_FORMAT_RGBA;
  Bytes rgba(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
    return {};
  }
  return rgba;
}

// libtiff's RGBA reader from a temporary file. It premultiplies alpha, so only opaque pictures
// compare pixel for pixel.
Bytes ReadWithLibtiff(const Bytes& file) {
  // One file per test, as ctest runs tests in parallel.
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  const std::string path = testing::TempDir() +
                           CaseName(std::string(test->test_suite_name()) + "_" + test->name()) +
                           ".tif";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  const std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(TIFFOpen(path.c_str(), "r"), TIFFClose);
  std::uint32_t width = 0, height = 0;
  if (!tiff || !TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) ||
      !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height)) {
    return {};
  }
  std::filesystem::remove(path);  // the open handle keeps the data
  std::vector<std::uint32_t> raster(std::size_t{width} * height);
  if (!TIFFReadRGBAImageOriented(tiff.get(), width, height, raster.data(), ORIENTATION_TOPLEFT,
                                 0)) {
    return {};
  }
  Bytes rgba;
  for (const std::uint32_t pixel : raster) {
    rgba.insert(
        rgba.end(),
        {static_cast<std::uint8_t>(TIFFGetR(pixel)), static_cast<std::uint8_t>(TIFFGetG(pixel)),
         static_cast<std::uint8_t>(TIFFGetB(pixel)), static_cast<std::uint8_t>(TIFFGetA(pixel))});
  }
  return rgba;
}

Bytes ReadWithTurboJpeg(const Bytes& file) {
  const std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitDecompress(), tjDestroy);
  int width = 0, height = 0, subsampling = 0, colourspace = 0;
  auto* data = const_cast<unsigned char*>(file.data());
  if (tjDecompressHeader3(handle.get(), data, file.size(), &width, &height, &subsampling,
                          &colourspace) != 0) {
    return {};
  }
  Bytes rgba(std::size_t(width) * std::size_t(height) * 4);
  if (tjDecompress2(handle.get(), data, file.size(), rgba.data(), width, 0, height, TJPF_RGBA, 0) !=
      0) {
    return {};
  }
  return rgba;
}

struct GifReadState {
  const Bytes* file;
  std::size_t position;
};

int ReadGifBytes(GifFileType* gif, GifByteType* out, int length) {
  auto* state = static_cast<GifReadState*>(gif->UserData);
  const std::size_t count =
      std::min(static_cast<std::size_t>(length), state->file->size() - state->position);
  std::memcpy(out, state->file->data() + state->position, count);
  state->position += count;
  return static_cast<int>(count);
}

// giflib's whole-file reader; transparency comes from the graphic control block.
Bytes ReadWithGiflib(const Bytes& file) {
  GifReadState state{&file, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&state, ReadGifBytes, &error);
  if (!gif) {
    return {};
  }
  Bytes rgba;
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1 && gif->SColorMap) {
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(gif, 0, &control);
    const SavedImage& image = gif->SavedImages[0];
    const std::size_t count =
        std::size_t(image.ImageDesc.Width) * std::size_t(image.ImageDesc.Height);
    for (std::size_t i = 0; i < count; ++i) {
      const int index = image.RasterBits[i];
      const GifColorType colour = gif->SColorMap->Colors[index];
      const bool clear = index == control.TransparentColor;
      rgba.insert(rgba.end(), {colour.Red, colour.Green, colour.Blue,
                               static_cast<std::uint8_t>(clear ? 0 : 255)});
    }
  }
  DGifCloseFile(gif, &error);
  return rgba;
}

struct IndependentRead {
  const char* source;
  Encoder encoder;
  double minimumPsnr;  // 0: exact
};

void PrintTo(const IndependentRead& c, std::ostream* out) {
  *out << c.source << " to " << EncoderName(c.encoder);
}

class IndependentReaderTest : public testing::TestWithParam<IndependentRead> {};

TEST_P(IndependentReaderTest, OutputReadsTheSame) {
  const IndependentRead& c = GetParam();
  const Bitmap source = DecodeFixture(c.source);
  const Bytes file = Encode(source, c.encoder);
  Bytes read;
  switch (c.encoder) {
    case Encoder::Png:
      read = ReadWithLibpng(file);
      break;
    case Encoder::Tiff:
      read = ReadWithLibtiff(file);
      break;
    case Encoder::Jpeg:
      read = ReadWithTurboJpeg(file);
      break;
    case Encoder::Gif:
      read = ReadWithGiflib(file);
      break;
    case Encoder::Bmp:
      FAIL() << "BMP output is checked field by field below";
  }
  const Bytes expected = ExpectedAfter(c.encoder, ToRgba(source));
  ASSERT_EQ(read.size(), expected.size());
  if (c.minimumPsnr == 0) {
    EXPECT_EQ(MaxDifference(read, expected), 0);
  } else {
    EXPECT_GE(Psnr(read, expected), c.minimumPsnr);
  }
}

// clang-format off
const IndependentRead kIndependentReads[] = {
    {"png-rgb-8.png",        Encoder::Png,  0},
    {"png-rgba-8.png",       Encoder::Png,  0},
    {"png-gray-8.png",       Encoder::Png,  0},
    {"png-palette-4.png",    Encoder::Png,  0},
    {"png-palette-trns.png", Encoder::Png,  0},
    {"png-palette-1.png",    Encoder::Png,  0},
    {"png-rgb-8.png",        Encoder::Tiff, 0},
    {"png-gray-8.png",       Encoder::Tiff, 0},
    {"png-palette-4.png",    Encoder::Tiff, 0},
    {"source-photo.png",     Encoder::Jpeg, kJpegPsnr},
    {"png-gray-8.png",       Encoder::Jpeg, kJpegPsnr},
    {"png-rgb-8.png",        Encoder::Gif,  0},
    {"png-palette-trns.png", Encoder::Gif,  0},
    {"source-photo.png",     Encoder::Gif,  kGifPhotoPsnr},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Encoders, IndependentReaderTest, testing::ValuesIn(kIndependentReads),
                         [](const testing::TestParamInfo<IndependentRead>& param) {
                           return CaseName(param.param.source) + "_to_" +
                                  EncoderName(param.param.encoder);
                         });

TEST(EncodeTiff, AlphaIsWrittenAsUnassociatedExtraSample) {
  const Bytes file = Encode(DecodeFixture("png-rgba-8.png"), Encoder::Tiff);
  const Bytes read = ReadWithLibtiff(file);
  const Bytes source = ToRgba(DecodeFixture("png-rgba-8.png"));
  ASSERT_EQ(read.size(), source.size());
  for (std::size_t i = 3; i < read.size(); i += 4) {
    ASSERT_EQ(read[i], source[i]) << "pixel " << i / 4;
  }
}

std::uint32_t Le(const Bytes& file, std::size_t at, std::size_t bytes) {
  std::uint32_t value = 0;
  for (std::size_t i = bytes; i > 0; --i) {
    value = value << 8 | file.at(at + i - 1);
  }
  return value;
}

struct BmpFields {
  const char* source;
  std::uint32_t headerSize, bitsPerPixel, compression, colours;
};

void PrintTo(const BmpFields& fields, std::ostream* out) {
  *out << fields.source;
}

class BmpFieldsTest : public testing::TestWithParam<BmpFields> {};

TEST_P(BmpFieldsTest, HeaderDescribesTheLayout) {
  const BmpFields& c = GetParam();
  const Bitmap source = DecodeFixture(c.source);
  const Bytes file = Encode(source, Encoder::Bmp);
  ASSERT_GE(file.size(), 54u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(Le(file, 2, 4), file.size());
  EXPECT_EQ(Le(file, 14, 4), c.headerSize);
  EXPECT_EQ(Le(file, 18, 4), source.width);
  EXPECT_EQ(Le(file, 22, 4), source.height);
  EXPECT_EQ(Le(file, 28, 2), c.bitsPerPixel);
  EXPECT_EQ(Le(file, 30, 4), c.compression);
  EXPECT_EQ(Le(file, 46, 4), c.colours);
  const std::uint32_t stride = (source.width * c.bitsPerPixel + 31) / 32 * 4;
  EXPECT_EQ(Le(file, 10, 4), file.size() - std::size_t{stride} * source.height);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Encoders, BmpFieldsTest, testing::Values(
    BmpFields{"png-rgb-8.png",        40, 24, 0, 0},
    BmpFields{"png-rgba-8.png",      124, 32, 3, 0},
    BmpFields{"png-gray-8.png",       40,  8, 0, 256},
    BmpFields{"png-palette-1.png",    40,  1, 0, 2},
    BmpFields{"png-palette-4.png",    40,  4, 0, 11},
    BmpFields{"png-palette-trns.png",124, 32, 3, 0}),
    [](const auto& param) { return CaseName(param.param.source); });
// clang-format on

// ---- Profiles, orientation, bad bitmaps -----------------------------------------------------

class ProfileThroughEncoderTest : public testing::TestWithParam<Encoder> {};

TEST_P(ProfileThroughEncoderTest, ProfileFromJpegIsCarried) {
  const Bitmap source = DecodeFixture("jpeg-icc.jpg");
  ASSERT_EQ(source.iccProfile, ReadFixture("srgb.icc"));
  Bitmap decoded;
  ASSERT_TRUE(DecodePicture(Encode(source, GetParam()), decoded));
  EXPECT_EQ(decoded.iccProfile, source.iccProfile);
}

INSTANTIATE_TEST_SUITE_P(Encoders, ProfileThroughEncoderTest,
                         testing::Values(Encoder::Png, Encoder::Jpeg, Encoder::Tiff),
                         [](const auto& param) { return EncoderName(param.param); });

class UprightOutputTest : public testing::TestWithParam<Encoder> {};

TEST_P(UprightOutputTest, RotatedSourceIsWrittenUprightWithoutOrientation) {
  const Bitmap upright = DecodeFixture("jpeg-orientation-6.jpg");
  ASSERT_EQ(upright.width, 23u);  // stored 37 x 23, shown turned a quarter
  const Bytes file = Encode(upright, GetParam());
  const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
  EXPECT_EQ(text.find("Exif"), std::string_view::npos);
  Bitmap decoded;
  ASSERT_TRUE(DecodePicture(file, decoded));
  EXPECT_EQ(decoded.width, 23u);
  EXPECT_EQ(decoded.height, 37u);
  EXPECT_GE(Psnr(ToRgba(decoded), ToRgba(upright)), kJpegDrawingPsnr);
}

INSTANTIATE_TEST_SUITE_P(Encoders, UprightOutputTest,
                         testing::Values(Encoder::Jpeg, Encoder::Tiff, Encoder::Png),
                         [](const auto& param) { return EncoderName(param.param); });

TEST(EncodeJpeg, UsesQuarterChromaForColourAndGrayForGray) {
  const std::unique_ptr<void, int (*)(tjhandle)> handle(tjInitDecompress(), tjDestroy);
  for (const auto& [source, subsampling] :
       {std::pair{"source-photo.png", TJSAMP_420}, std::pair{"png-gray-8.png", TJSAMP_GRAY}}) {
    Bytes file = Encode(DecodeFixture(source), Encoder::Jpeg);
    int width = 0, height = 0, actual = -1, colourspace = 0;
    ASSERT_EQ(tjDecompressHeader3(handle.get(), file.data(), file.size(), &width, &height, &actual,
                                  &colourspace),
              0);
    EXPECT_EQ(actual, subsampling) << source;
  }
}

Bitmap SmallIndexed() {
  Bitmap bitmap;
  bitmap.width = 2;
  bitmap.height = 2;
  bitmap.format = PixelFormat::Indexed;
  bitmap.pixels = {0, 1, 1, 0};
  bitmap.palette = {{0, 0, 0, 255}, {255, 255, 255, 255}};
  return bitmap;
}

struct BadBitmap {
  const char* name;
  void (*spoil)(Bitmap&);
};

class BadBitmapTest : public testing::TestWithParam<BadBitmap> {};

TEST_P(BadBitmapTest, EveryEncoderRefusesAndLeavesOutputAlone) {
  Bitmap bitmap = SmallIndexed();
  for (const Encoder encoder :
       {Encoder::Bmp, Encoder::Jpeg, Encoder::Gif, Encoder::Tiff, Encoder::Png}) {
    Bytes file;
    ASSERT_TRUE(EncodePicture(bitmap, encoder, file)) << EncoderName(encoder);
    Bitmap spoilt = bitmap;
    GetParam().spoil(spoilt);
    const Bytes before{1, 2, 3};
    Bytes untouched = before;
    EXPECT_FALSE(EncodePicture(spoilt, encoder, untouched)) << EncoderName(encoder);
    EXPECT_EQ(untouched, before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Encoders, BadBitmapTest,
    testing::Values(BadBitmap{"ShortPixels", [](Bitmap& b) { b.pixels.pop_back(); }},
                    BadBitmap{"ZeroWidth", [](Bitmap& b) { b.width = 0; }},
                    BadBitmap{"IndexPastPalette", [](Bitmap& b) { b.pixels[0] = 2; }},
                    BadBitmap{"NoPalette", [](Bitmap& b) { b.palette.clear(); }},
                    BadBitmap{"WrongFormat", [](Bitmap& b) { b.format = PixelFormat::Rgb; }}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace picture_test
