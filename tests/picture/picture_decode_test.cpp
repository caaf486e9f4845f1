// Decoding every fixture of fixtures/MANIFEST and comparing with ImageMagick's decode of it.
#include <gtest/gtest.h>

#include <algorithm>

#include "picture_test_support.h"

namespace picture_test {
namespace {

using rt::picture::Bitmap;
using rt::picture::DecodePicture;
using rt::picture::PixelFormat;

class DecodeFixtureTest : public testing::TestWithParam<FixtureCase> {};

TEST_P(DecodeFixtureTest, MatchesIndependentDecode) {
  const FixtureCase& c = GetParam();
  const Bitmap bitmap = DecodeFixture(c.file);
  ASSERT_EQ(bitmap.width, c.width);
  ASSERT_EQ(bitmap.height, c.height);
  EXPECT_EQ(bitmap.format, c.format);
  if (bitmap.format == PixelFormat::Indexed) {
    EXPECT_LE(bitmap.palette.size(), 256u);
  }
  const Bytes reference = ReadFixture(c.reference);
  ASSERT_EQ(reference.size(), std::size_t{c.width} * c.height * 4);
  EXPECT_LE(MaxDifference(ToRgba(bitmap), reference), c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DecodeFixtureTest, testing::ValuesIn(LoadManifest()),
                         [](const testing::TestParamInfo<FixtureCase>& param) {
                           return CaseName(param.param.file);
                         });

TEST(DecodeManifest, ListsEveryDecoder) {
  // Guards against a manifest that lost its lines, which would leave the table above empty.
  const auto cases = LoadManifest();
  for (const char* extension : {".png", ".jpg", ".bmp", ".gif", ".tif", ".ico"}) {
    EXPECT_TRUE(std::any_of(cases.begin(), cases.end(), [&](const FixtureCase& c) {
      return c.file.ends_with(extension);
    })) << extension;
  }
}

class ColourProfileTest : public testing::TestWithParam<const char*> {};

TEST_P(ColourProfileTest, EmbeddedProfileIsCarried) {
  const Bitmap bitmap = DecodeFixture(GetParam());
  EXPECT_EQ(bitmap.iccProfile, ReadFixture("srgb.icc"));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ColourProfileTest,
                         testing::Values("png-icc.png", "jpeg-icc.jpg", "tiff-icc.tif"),
                         [](const auto& param) { return CaseName(param.param); });

TEST(Decode, PictureWithoutProfileHasNone) {
  EXPECT_TRUE(DecodeFixture("png-rgb-8.png").iccProfile.empty());
}

TEST(Decode, FormatIsFoundBySignatureNotName) {
  // A PNG handed over as if it were anything else still decodes as PNG.
  const Bytes png = ReadFixture("png-rgb-8.png");
  Bitmap bitmap;
  ASSERT_TRUE(DecodePicture(png, bitmap));
  EXPECT_EQ(bitmap.width, 37u);
  Bytes notAPicture = png;
  notAPicture[1] = 'Q';
  EXPECT_FALSE(DecodePicture(notAPicture, bitmap));
}

TEST(Decode, FailureLeavesBitmapUntouched) {
  Bitmap bitmap = DecodeFixture("png-palette-4.png");
  const Bitmap before = bitmap;
  Bytes truncated = ReadFixture("png-rgb-8.png");
  truncated.resize(truncated.size() / 2);
  EXPECT_FALSE(DecodePicture(truncated, bitmap));
  EXPECT_EQ(bitmap.width, before.width);
  EXPECT_EQ(bitmap.format, before.format);
  EXPECT_EQ(bitmap.pixels, before.pixels);
  EXPECT_EQ(bitmap.palette, before.palette);
}

}  // namespace
}  // namespace picture_test
