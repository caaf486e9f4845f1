// Writing one value: file bytes before, the write, and the exact file bytes after.
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

struct WriteCase {
  const char* name;
  std::optional<std::string_view> before = std::nullopt;  // nothing: there is no file
  rt::ProfileName section = "S";
  rt::ProfileName key = "K";
  rt::ProfileName value = "v";
  std::optional<std::string_view> after = std::nullopt;  // nothing: there is still no file
  bool succeeds = true;
};

const WriteCase kWriteCases[] = {
    {.name = "CreatesMissingFile",
     .before = std::nullopt,
     .section = "\xC5\xE4\xD6\xC3",
     .key = "\xD7\xAA\xBB\xBB\xB8\xF1\xCA\xBD",
     .value = "3",
     .after = "[\xC5\xE4\xD6\xC3]\r\n\xD7\xAA\xBB\xBB\xB8\xF1\xCA\xBD=3\r\n"},
    {.name = "FillsEmptyFile", .before = "", .after = "[S]\r\nK=v\r\n"},
    {.name = "AppendsMissingSection",
     .before = "[A]\r\nx=1\r\n",
     .after = "[A]\r\nx=1\r\n[S]\r\nK=v\r\n"},
    {.name = "BreaksUnterminatedLineBeforeNewSection",
     .before = "Data \0 before \0 first \0 section"sv,
     .section = "section1",
     .key = "key1",
     .value = "string1",
     .after = "Data \0 before \0 first \0 section\r\n[section1]\r\nkey1=string1\r\n"sv},
    {.name = "Utf8SignatureOnlyFile",
     .before = "\xEF\xBB\xBF",
     .after = "\xEF\xBB\xBF\r\n[S]\r\nK=v\r\n"},
    {.name = "Utf8SignatureHidesFirstSection",
     .before = "\xEF\xBB\xBF[S]\r\nK=old\r\n",
     .after = "\xEF\xBB\xBF[S]\r\nK=old\r\n[S]\r\nK=v\r\n"},
    {.name = "InsertsAfterLastKeyBeforeComments",
     .before = "[S]\r\na=1\r\n;c\r\n\r\n[T]\r\nK=t\r\n",
     .after = "[S]\r\na=1\r\nK=v\r\n;c\r\n\r\n[T]\r\nK=t\r\n"},
    {.name = "InsertsBelowHeaderWhenSectionHasNoKeys",
     .before = "[S]\r\n;c\r\n",
     .after = "[S]\r\nK=v\r\n;c\r\n"},
    {.name = "BreaksUnterminatedLastKeyBeforeInsert",
     .before = "[S]\r\na=1",
     .after = "[S]\r\na=1\r\nK=v\r\n"},
    {.name = "ReplacesInPlaceKeepingSpellingAndOtherBytes",
     .before = "pre\0amble\n[Sec]\rKey=old\nz=1\r"sv,
     .section = "SEC",
     .key = "KEY",
     .value = "new",
     .after = "pre\0amble\n[Sec]\rKey=new\r\nz=1\r"sv},
    {.name = "ReplacedUnterminatedLineGainsLineBreak",
     .before = "[SectionName]\r\nTestKey=TestValue",
     .section = "SECTIONNAME",
     .key = "TESTKEY",
     .value = "TestValue2",
     .after = "[SectionName]\r\nTestKey=TestValue2\r\n"},
    {.name = "ReplacesFirstOfDuplicateKeys",
     .before = "[S]\r\nK=a\r\nK=b\r\n",
     .after = "[S]\r\nK=v\r\nK=b\r\n"},
    {.name = "WritesIntoFirstOfDuplicateSections",
     .before = "[S]\r\n[S]\r\nK=old\r\n",
     .after = "[S]\r\nK=v\r\n[S]\r\nK=old\r\n"},
    {.name = "WritesValueVerbatim",
     .before = "",
     .value = " \"q\" \t",
     .after = "[S]\r\nK= \"q\" \t\r\n"},
    {.name = "TrimsOnlySpacesOffNames",
     .before = "",
     .section = " S ",
     .key = "\tK ",
     .after = "[S]\r\n\tK=v\r\n"},
    {.name = "EmptyValueKeepsKey",
     .before = "[S]\r\nK=v\r\n",
     .value = "",
     .after = "[S]\r\nK=\r\n"},
    {.name = "NullValueDeletesLine",
     .before = "[App3]\r\nkey5=string5\r\n",
     .section = "App3",
     .key = "key5",
     .value = std::nullopt,
     .after = "[App3]\r\n"},
    {.name = "NullValueLeavesCommentLine",
     .before = "[S]\r\n;K=v\r\n",
     .key = ";K",
     .value = std::nullopt,
     .after = "[S]\r\n;K=v\r\n"},
    {.name = "NullKeyDeletesSection",
     .before = "[App1]\r\nkey1=s\r\n;c\r\n[App2]\r\nkey4=s\r\n",
     .section = "App1",
     .key = std::nullopt,
     .after = "[App2]\r\nkey4=s\r\n"},
    {.name = "DeleteOnMissingFileLeavesEmptyFile",
     .before = std::nullopt,
     .value = std::nullopt,
     .after = ""},
    {.name = "NullSectionFails",
     .before = "[S]\r\nK=v\r\n",
     .section = std::nullopt,
     .after = "[S]\r\nK=v\r\n",
     .succeeds = false},
    {.name = "NullSectionCreatesNoFile",
     .before = std::nullopt,
     .section = std::nullopt,
     .after = std::nullopt,
     .succeeds = false},
};

// Names the case in test listings instead of printing its bytes, which hold addresses.
void PrintTo(const WriteCase& c, std::ostream* out) {
  *out << c.name;
}

class ProfileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, LeavesExpectedBytes) {
  const WriteCase& c = GetParam();
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  if (c.before) {
    WriteFileBytes(path, *c.before);
  }

  EXPECT_EQ(rt::WriteProfileValue(c.section, c.key, c.value, path), c.succeeds);

  const std::optional<std::string> after = ReadFileBytes(path);
  ASSERT_EQ(after.has_value(), c.after.has_value());
  if (after) {
    EXPECT_EQ(*after, *c.after);
  }
  // Nothing but the file itself is left in the folder.
  const std::vector<std::string> expectedEntries =
      after ? std::vector<std::string>{"config.ini"} : std::vector<std::string>{};
  EXPECT_EQ(FolderEntries(folder.Path()), expectedEntries);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWrite, testing::ValuesIn(kWriteCases),
                         [](const testing::TestParamInfo<WriteCase>& tested) {
                           return std::string(tested.param.name);
                         });

}  // namespace
}  // namespace profile_test
