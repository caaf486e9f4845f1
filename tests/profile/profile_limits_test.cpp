// Buffers at their edges, very long lines and files that are not text at all.
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "runtime/profile.h"
#include "temp_folder.h"

namespace profile_test {
namespace {

constexpr std::size_t kProgramBufferBytes = 10240;  // what the program reads its values into
constexpr std::size_t kMegabyte = std::size_t{1} << 20;

TEST(ProfileLimits, EmptyBufferIsLeftUntouched) {
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  WriteFileBytes(path, "[S]\r\nK=value\r\n");
  std::string buffer = "untouched";

  EXPECT_EQ(rt::ReadProfileValue("S", "K", "dflt", std::span<char>(buffer.data(), 0), path), 0u);

  EXPECT_EQ(buffer, "untouched");
}

TEST(ProfileLimits, ProgramBufferHoldsAtMost10239Bytes) {
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  for (const std::size_t length : {kProgramBufferBytes - 1, kProgramBufferBytes}) {
    SCOPED_TRACE(length);
    std::string value(length, 'x');
    value.back() = 'y';  // shows whether the last byte arrived
    WriteFileBytes(path, "[S]\r\nK=" + value + "\r\n");

    const ReadResult result = ReadInto(kProgramBufferBytes, "S", "K", "", path);

    const std::size_t kept = kProgramBufferBytes - 1;
    EXPECT_EQ(result.count, kept);
    EXPECT_EQ(result.buffer.substr(0, kept), value.substr(0, kept));
    EXPECT_EQ(result.buffer[kept], '\0');
  }
}

TEST(ProfileLimits, MegabyteLinesAreReadWhole) {
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  const std::string longName(kMegabyte, 'n');
  const std::string longValue(kMegabyte, 'v');
  WriteFileBytes(path, std::string(kMegabyte, 'g') + "\r\n[S]\r\n" + longName +
                           "=short\r\nK=" + longValue + "\r\n");

  const ReadResult byLongName = ReadInto(16, "S", longName, "", path);
  EXPECT_EQ(byLongName.buffer.substr(0, 6), std::string("short\0", 6));

  const ReadResult longResult = ReadInto(kMegabyte + 1, "S", "K", "", path);
  EXPECT_EQ(longResult.count, kMegabyte);
  EXPECT_EQ(longResult.buffer.substr(0, kMegabyte), longValue);
}

std::string RandomBytes(std::size_t count, std::uint32_t seed) {
  std::mt19937 generator(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(count, '\0');
  for (char& b : bytes) {
    b = static_cast<char>(byte(generator));
  }
  return bytes;
}

struct GarbageCase {
  const char* name;
  std::string_view start;  // FF FE makes the garbage a UTF-16 file
};

// Names the case in test listings instead of printing its bytes, which hold addresses.
void PrintTo(const GarbageCase& c, std::ostream* out) {
  *out << c.name;
}

class ProfileGarbage : public testing::TestWithParam<GarbageCase> {};

// Whatever the bytes, a read gives the default, and a write adds its key and keeps every byte.
TEST_P(ProfileGarbage, ReadGivesDefaultAndWriteKeepsEveryByte) {
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  const std::string garbage = std::string(GetParam().start) + RandomBytes(kMegabyte, 20240611);
  WriteFileBytes(path, garbage);
  const std::string_view section = "\xC5\xE4\xD6\xC3";

  const ReadResult before = ReadInto(64, section, "K", "dflt", path);
  EXPECT_EQ(before.buffer.substr(0, 5), std::string("dflt\0", 5));

  ASSERT_TRUE(rt::WriteProfileValue(section, "K", "v", path));

  const ReadResult after = ReadInto(64, section, "K", "dflt", path);
  EXPECT_EQ(after.buffer.substr(0, 2), std::string("v\0", 2));
  const std::optional<std::string> written = ReadFileBytes(path);
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(written->substr(0, garbage.size()), garbage);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileGarbage,
                         testing::Values(GarbageCase{"CodePage", "binary"},
                                         GarbageCase{"Utf16", "\xFF\xFE"}),
                         [](const testing::TestParamInfo<GarbageCase>& tested) {
                           return std::string(tested.param.name);
                         });

}  // namespace
}  // namespace profile_test
