// The in-memory transcoder over the real picture library and codecs.
#include "transcode/transcode_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/bytes.h"
#include "runtime/posix/handle_counts.h"
#include "runtime/posix/picture/picture_codec.h"
#include "state/app_state.h"
#include "support/pictures.h"

namespace {

using testing_support::MakeBmp24;

struct Signature {
  std::int32_t code;
  std::vector<std::uint8_t> leadingBytes;
};

const Signature kSignatures[] = {
    {1, {'B', 'M'}},        {2, {0xFF, 0xD8}},          {3, {'G', 'I', 'F', '8'}},
    {4, {'I', 'I', 42, 0}}, {5, {0x89, 'P', 'N', 'G'}},
};

bool StartsWith(const rt::Bytes& bytes, const std::vector<std::uint8_t>& leading) {
  return bytes.size() >= leading.size() &&
         std::equal(leading.begin(), leading.end(), bytes.begin());
}

class TranscodePictureTest : public ::testing::Test {
 protected:
  TranscodePictureTest() { AppState = AppStateRecord{}; }
};

TEST_F(TranscodePictureTest, EveryFormatCodeInTheTableEncodesTheSamePixels) {
  const rt::Bytes bmp = MakeBmp24(4, 3);
  for (const Signature& signature : kSignatures) {
    rt::Bytes result;
    ASSERT_TRUE(TranscodePicture(bmp, signature.code, result)) << signature.code;
    EXPECT_TRUE(StartsWith(result, signature.leadingBytes)) << signature.code;

    rt::picture::Bitmap decoded;
    ASSERT_TRUE(rt::picture::DecodePicture(result, decoded)) << signature.code;
    EXPECT_EQ(decoded.width, 4U);
    EXPECT_EQ(decoded.height, 3U);
    if (signature.code == 2) {
      continue;  // JPEG is lossy
    }
    // The other formats give the last pixel, (x, y) = (3, 2), back exactly; GIF through the
    // palette it holds this picture's twelve colours in.
    rt::picture::PaletteEntry last{};
    if (decoded.format == rt::picture::PixelFormat::Indexed) {
      last = decoded.palette.at(decoded.pixels.back());
    } else {
      ASSERT_EQ(decoded.format, rt::picture::PixelFormat::Rgb) << signature.code;
      const std::size_t at = decoded.pixels.size() - 3;
      last = {decoded.pixels[at], decoded.pixels[at + 1], decoded.pixels[at + 2], 255};
    }
    EXPECT_EQ(last, (rt::picture::PaletteEntry{180, 180, 200, 255})) << signature.code;
  }
}

TEST_F(TranscodePictureTest, FailuresLeaveTheResultBufferAsItWas) {
  const rt::Bytes bmp = MakeBmp24(4, 3);
  const std::string text = "This is a text file, not a picture.\n";
  const rt::Bytes textFile(text.begin(), text.end());
  rt::Bytes truncated = bmp;
  truncated.resize(30);
  struct Case {
    const char* name;
    const rt::Bytes& input;
    std::int32_t code;
  };
  const rt::Bytes empty;
  const Case cases[] = {
      {"empty input", empty, 2}, {"text file", textFile, 5}, {"truncated picture", truncated, 5},
      {"code 0", bmp, 0},        {"code 6", bmp, 6},         {"code -1", bmp, -1},
  };
  for (const Case& c : cases) {
    rt::Bytes result{1, 2, 3};
    EXPECT_FALSE(TranscodePicture(c.input, c.code, result)) << c.name;
    EXPECT_EQ(result, (rt::Bytes{1, 2, 3})) << c.name;
  }
}

TEST_F(TranscodePictureTest, ConversionsInARowEachStartAndShutDownAndLetGoOfEverything) {
  const rt::Bytes bmp = MakeBmp24(5, 5);
  const rt::posix::HandleCounts before = rt::posix::CurrentHandleCounts();
  rt::Bytes first;
  rt::Bytes second;
  ASSERT_TRUE(TranscodePicture(bmp, 1, first));
  const std::uintptr_t firstToken = AppState.gdiplusToken;
  ASSERT_TRUE(TranscodePicture(first, 1, second));  // a picture into its own format
  EXPECT_NE(AppState.gdiplusToken, firstToken);
  EXPECT_TRUE(StartsWith(second, {'B', 'M'}));
  rt::Bytes failed;
  EXPECT_FALSE(TranscodePicture(rt::Bytes{}, 3, failed));
  EXPECT_EQ(rt::posix::CurrentHandleCounts(), before);
  EXPECT_EQ(before.libraryStartups, 0U);
}

TEST(ToWideBytes, GivesUtf16LittleEndianWithOneZeroUnit) {
  const rt::Bytes classId = ToWideBytes("{557CF400-1A04-11D3-9A73-0000F81EF32E}");
  ASSERT_EQ(classId.size(), 78U);
  EXPECT_EQ(classId[0], '{');
  EXPECT_EQ(classId[1], 0);
  EXPECT_EQ(classId[74], '}');
  EXPECT_EQ(classId[76], 0);
  EXPECT_EQ(classId[77], 0);

  EXPECT_TRUE(ToWideBytes("").empty());
  // U+56FE and U+1F600 (a surrogate pair) from their UTF-8 bytes.
  EXPECT_EQ(ToWideBytes("图\xF0\x9F\x98\x80"),
            (rt::Bytes{0xFE, 0x56, 0x3D, 0xD8, 0x00, 0xDE, 0x00, 0x00}));
}

}  // namespace
