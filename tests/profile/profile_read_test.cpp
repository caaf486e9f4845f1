// Reading one value: file bytes, section and key in, buffer bytes and count out.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "runtime/profile.h"
#include "temp_folder.h"

namespace profile_test {
namespace {

using namespace std::string_view_literals;

// The program's own names, GBK bytes: 配置 and 转换格式.
constexpr std::string_view kGbkSection = "\xC5\xE4\xD6\xC3";
constexpr std::string_view kGbkKey = "\xD7\xAA\xBB\xBB\xB8\xF1\xCA\xBD";

struct ReadCase {
  const char* name;
  std::optional<std::string_view> file = std::nullopt;  // nothing: there is no file
  rt::ProfileName section = "S";
  rt::ProfileName key = "K";
  std::string_view defaultValue = "dflt";
  std::size_t bufferSize = 64;
  std::string_view expected =
      {};  // the bytes before the closing zero; a name list holds its inner zeros
  std::optional<std::size_t> expectedCount = std::nullopt;  // when it is not expected.size()
};

const ReadCase kReadCases[] = {
    {.name = "Basic", .file = "[S]\r\nK=v\r\n", .expected = "v"},
    {.name = "NamesIgnoreAsciiCase",
     .file = "[sEcT]\r\nNaMe=v\r\n",
     .section = "SECT",
     .key = "name",
     .expected = "v"},
    {.name = "GbkNamesMatch",
     .file = "[\xC5\xE4\xD6\xC3]\r\n\xD7\xAA\xBB\xBB\xB8\xF1\xCA\xBD=3\r\n",
     .section = kGbkSection,
     .key = kGbkKey,
     .expected = "3"},
    {.name = "GbkTrailByteLetterIsNotFolded",
     .file = "[S]\r\n\xB4\x61=other character\r\n",
     .key = "\xB4\x41",
     .expected = "dflt"},
    {.name = "BlanksInsideBrackets", .file = "[ \t\vS\t ]\r\nK=v", .expected = "v"},
    {.name = "BlanksAndBlankLinesBeforeHeader",
     .file = "\r\n \t\r\n \t[S]\r\nK=v",
     .expected = "v"},
    {.name = "BlanksAroundKey", .file = "[S]\r\n \t\vK\t =v", .expected = "v"},
    {.name = "BlanksAroundValue", .file = "[S]\r\nK= \t\v v  x \t \r\n", .expected = "v  x"},
    {.name = "CallerSpacesTrimmed",
     .file = "[S]\r\nK=v",
     .section = " S  ",
     .key = " K ",
     .expected = "v"},
    {.name = "CallerTabsKept", .file = "[S]\r\nK=v", .section = "\tS", .expected = "dflt"},
    {.name = "QuotesKeepInnerBlanks", .file = "[S]\r\nK=  \"   v   \"  ", .expected = "   v   "},
    {.name = "OnlyOuterDoubleQuotesGo", .file = "[S]\r\nK=\"'v'\"", .expected = "'v'"},
    {.name = "OnlyOuterSingleQuotesGo", .file = "[S]\r\nK='\"v\"'", .expected = "\"v\""},
    {.name = "MismatchedQuotesStay", .file = "[S]\r\nK=\"v'", .expected = "\"v'"},
    {.name = "CommentLineIsNoKey", .file = "[S]\r\n \t;K=v\r\n", .key = ";K", .expected = "dflt"},
    {.name = "SemicolonInValueIsData",
     .file = "[S]\r\nK=D:\\out ; note",
     .expected = "D:\\out ; note"},
    {.name = "HashStartsNoComment", .file = "[S]\r\n#K=v", .key = "#K", .expected = "v"},
    {.name = "TextAfterBracketIgnored", .file = "[S]K=v\r\n", .expected = "dflt"},
    {.name = "FirstBracketEndsName", .file = "[S]x]\r\nK=v", .expected = "v"},
    {.name = "MissingBracketNameRunsToLineEnd", .file = "[S \t\r\nK=v", .expected = "v"},
    {.name = "NoHeaderWithoutOpeningBracket", .file = "S]\r\nK=v", .expected = "dflt"},
    {.name = "EmptyKeyName", .file = "[S]\r\n=v", .key = "", .expected = "v"},
    {.name = "FirstDuplicateKeyWins", .file = "[S]\r\nK=a\r\nK=b", .expected = "a"},
    {.name = "OnlyFirstDuplicateSectionSearched", .file = "[S]\r\n[S]\r\nK=v", .expected = "dflt"},
    {.name = "KeysBeforeFirstSectionUnreachable",
     .file = "K=v\r\n[T]\r\n",
     .section = "",
     .expected = "dflt"},
    {.name = "EmptySectionName", .file = "K=x\r\n[]\r\nK=v", .section = "", .expected = "v"},
    {.name = "MixedLineBreaks", .file = "[A]\r\nx=1\n[S]\rK=v", .expected = "v"},
    {.name = "NulBytesBeforeFirstSection", .file = "\0junk\0\r\n[S]\r\nK=v"sv, .expected = "v"},
    {.name = "EmptyValueIsNotDefault", .file = "[S]\r\nK=\r\n", .expected = ""},
    {.name = "MissingFileGivesDefault", .file = std::nullopt, .expected = "dflt"},
    {.name = "DefaultLosesTrailingSpacesOnly",
     .file = "",
     .defaultValue = " d\t  ",
     .expected = " d\t"},
    {.name = "ValueCutToBuffer", .file = "[S]\r\nK=val1", .bufferSize = 4, .expected = "val"},
    {.name = "OneByteBufferGetsZero", .file = "[S]\r\nK=val1", .bufferSize = 1, .expected = ""},
    {.name = "DefaultCutToBuffer",
     .file = "[S]\r\n",
     .defaultValue = "default",
     .bufferSize = 4,
     .expected = "def"},
    {.name = "SectionNamesListed",
     .file = "[A]\r\n[ B ]\r\nK=v\r\n[A]",
     .section = std::nullopt,
     .expected = "A\0B\0A\0"sv},
    {.name = "SectionListCutEndsInTwoZeros",
     .file = "[section1]\r\n[section2]\r\n",
     .section = std::nullopt,
     .bufferSize = 16,
     .expected = "section1\0secti\0"sv,
     .expectedCount = 14},
    {.name = "KeyNamesSkipCommentsAndLinesWithoutEquals",
     .file = "[s]\r\nname1=val1\r\n;c=1\r\nname2=\r\nname3\r\nname4=val4\r\n[t]\r\nx=1",
     .key = std::nullopt,
     .expected = "name1\0name2\0name4\0"sv},
    {.name = "KeyListOfMissingSectionIsEmpty",
     .file = "[T]\r\nK=v",
     .key = std::nullopt,
     .expected = "\0"sv,
     .expectedCount = 0},
    {.name = "Utf8SignatureHidesFirstSection",
     .file = "\xEF\xBB\xBF[S]\r\nK=v\r\n[T]\r\nK=w",
     .expected = "dflt"},
    {.name = "Utf8SignatureLeavesLaterSections",
     .file = "\xEF\xBB\xBF[S]\r\nK=v\r\n[T]\r\nK=w",
     .section = "T",
     .expected = "w"},
};

// Names the case in test listings instead of printing its bytes, which hold addresses.
void PrintTo(const ReadCase& c, std::ostream* out) {
  *out << c.name;
}

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, GivesExpectedBytes) {
  const ReadCase& c = GetParam();
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  if (c.file) {
    WriteFileBytes(path, *c.file);
  }

  const ReadResult result = ReadInto(c.bufferSize, c.section, c.key, c.defaultValue, path);

  EXPECT_EQ(result.count, c.expectedCount.value_or(c.expected.size()));
  const std::string expectedBytes = std::string(c.expected) + '\0';
  ASSERT_LE(expectedBytes.size(), result.buffer.size());
  EXPECT_EQ(result.buffer.substr(0, expectedBytes.size()), expectedBytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileRead, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& tested) {
                           return std::string(tested.param.name);
                         });

}  // namespace
}  // namespace profile_test
