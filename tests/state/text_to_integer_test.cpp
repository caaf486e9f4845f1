#include "state/text_to_integer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string_view>

namespace {

struct Case {
  std::string_view text;
  std::int32_t expected;
};

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(TextToInteger, ReadsStoredNumbersAsTheConfigurationLoadExpects) {
  const Case cases[] = {
      {"", 0},
      {"4", 4},
      {" 4", 4},
      {" \t\n\v\f\r7", 7},
      {"+4", 4},
      {"-4", -4},
      {"4abc", 4},
      {"4.9", 4},
      {"abc", 0},
      {"0x4", 0},
      {"--4", 0},
      {"+-4", 0},
      {"- 4", 0},
      {"007", 7},
      // 32-bit wrap-around instead of saturation.
      {"2147483647", kMax},
      {"2147483648", kMin},
      {"-2147483648", kMin},
      {"4294967298", 2},
      {"99999999999", 1215752191},
      // Full-width forms of the GBK code page.
      {"\xA3\xB4", 4},
      {"\xA3\xB4\xA3\xB2", 42},
      {"\xA3\xAD\xA3\xB5", -5},
      {"\xA3\xAB\xA3\xB7", 7},
      {"\xA1\xA1\xA3\xB8", 8},  // ideographic space
      {"\xA3\xB1"
       "2",
       12},  // full-width and ASCII digits mixed
      {"\xA1\xAB"
       "3",
       0},  // "~" is no sign
      // A lead byte takes the next byte with it, so a digit behind one is no digit.
      {"\xB0"
       "5",
       0},
      // A lone lead byte at the end is dropped.
      {"12\xA3", 12},
      {"\xA3", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToInteger(c.text), c.expected) << "text: \"" << c.text << "\"";
  }
}

}  // namespace
