#include "transcode/output_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string_view>

namespace {

TEST(OutputFormat, CodesInRangeGiveTheirExtensionAndEncoder) {
  struct Row {
    std::int32_t code;
    std::string_view extension;
    std::string_view classId;
  };
  const Row rows[] = {
      {1, ".bmp", "{557CF400-1A04-11D3-9A73-0000F81EF32E}"},
      {2, ".jpg", "{557CF401-1A04-11D3-9A73-0000F81EF32E}"},
      {3, ".gif", "{557CF402-1A04-11D3-9A73-0000F81EF32E}"},
      {4, ".tiff", "{557CF405-1A04-11D3-9A73-0000F81EF32E}"},
      {5, ".png", "{557CF406-1A04-11D3-9A73-0000F81EF32E}"},
  };
  for (const Row& row : rows) {
    std::string_view extension;
    std::string_view classId;
    ASSERT_TRUE(ExtensionOfCode(row.code, extension)) << row.code;
    ASSERT_TRUE(EncoderClassIdOfCode(row.code, classId)) << row.code;
    EXPECT_EQ(extension, row.extension);
    EXPECT_EQ(classId, row.classId);
    EXPECT_EQ(classId.size(), 38U);
  }
}

TEST(OutputFormat, CodesOutsideTheTableLeaveTheOutParametersAlone) {
  for (const std::int32_t code : {-1, 0, 6, std::numeric_limits<std::int32_t>::min()}) {
    std::string_view extension = "kept";
    std::string_view classId = "kept";
    EXPECT_FALSE(ExtensionOfCode(code, extension)) << code;
    EXPECT_FALSE(EncoderClassIdOfCode(code, classId)) << code;
    EXPECT_EQ(extension, "kept");
    EXPECT_EQ(classId, "kept");
  }
}

TEST(OutputFormat, DropDownPositionsAreCodesMinusOne) {
  const std::string_view texts[] = {"bmp", "jpg", "gif", "tiff", "png"};
  for (std::int32_t position = 0; position < 5; ++position) {
    const OutputFormatRow& row = OutputFormat[static_cast<std::size_t>(position)];
    EXPECT_EQ(row.dropDownText, texts[position]);
    EXPECT_EQ(CodeOfDropDownPosition(position), row.code);
    EXPECT_EQ(DropDownPositionOfCode(row.code), position);
  }
  EXPECT_EQ(DropDownPositionOfCode(9), 8);
  EXPECT_EQ(DropDownPositionOfCode(0), -1);
  EXPECT_EQ(DropDownPositionOfCode(-1), -2);
  EXPECT_EQ(CodeOfDropDownPosition(-1), 0);
  // The ends of the 32-bit range do not overflow.
  EXPECT_EQ(DropDownPositionOfCode(std::numeric_limits<std::int32_t>::min()),
            std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(CodeOfDropDownPosition(std::numeric_limits<std::int32_t>::max()),
            std::numeric_limits<std::int32_t>::max());
}

}  // namespace
