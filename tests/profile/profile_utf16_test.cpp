// Files that start with the UTF-16LE byte order mark are read and rewritten as UTF-16LE.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "runtime/profile.h"
#include "temp_folder.h"

namespace profile_test {
namespace {

std::string Utf16LeFile(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

TEST(ProfileUtf16, ValueComesBackAsUtf8) {
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  WriteFileBytes(path, Utf16LeFile(u"[S]\r\nK= Gr\u00FC\u00DFe \u20AC\U0001D11E \r\n"));

  const ReadResult result = ReadInto(64, "S", "K", "", path);

  const std::string expected =
      "Gr\xC3\xBC\xC3\x9F"
      "e \xE2\x82\xAC\xF0\x9D\x84\x9E";
  EXPECT_EQ(result.count, expected.size());
  EXPECT_EQ(result.buffer.substr(0, expected.size() + 1), expected + '\0');
}

TEST(ProfileUtf16, RewriteStaysUtf16AndKeepsOtherUnits) {
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  // An unpaired surrogate is kept as it was, like every unit the write does not touch.
  std::u16string before = u"[S]\r\nx=";
  before.push_back(char16_t{0xD800});
  const std::u16string rest = u"\r\nK=old\r\n[T]\r\ny=\u4E2D\r\n";
  WriteFileBytes(path, Utf16LeFile(before + rest));

  ASSERT_TRUE(rt::WriteProfileValue("S", "K", "\xC3\xBC", path));
  ASSERT_TRUE(rt::WriteProfileValue("T", "z", "1", path));

  std::u16string after = u"[S]\r\nx=";
  after.push_back(char16_t{0xD800});
  after += u"\r\nK=\u00FC\r\n[T]\r\ny=\u4E2D\r\nz=1\r\n";
  EXPECT_EQ(ReadFileBytes(path), Utf16LeFile(after));
}

TEST(ProfileUtf16, SignatureOnlyFileCountsAsUnterminatedText) {
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  WriteFileBytes(path, Utf16LeFile(u""));

  ASSERT_TRUE(rt::WriteProfileValue("S", "K", "v", path));

  EXPECT_EQ(ReadFileBytes(path), Utf16LeFile(u"\r\n[S]\r\nK=v\r\n"));
}

}  // namespace
}  // namespace profile_test
