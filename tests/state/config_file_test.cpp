// The configuration file, against real files in a temporary program folder and the real
// profile layer.
#include "state/config_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <string_view>

#include "state/app_state.h"
#include "support/program_folder_test.h"

namespace {

using testing_support::Exists;
using testing_support::ProgramFolderTest;
using testing_support::ReadWholeFile;
using testing_support::WriteWholeFile;

// The section and key names in GBK, as they stand in the file.
const std::string kSection = "[\xC5\xE4\xD6\xC3]";
const std::string kSaveFolderKey = "\xB1\xA3\xB4\xE6\xC4\xBF\xC2\xBC";
const std::string kFormatCodeKey = "\xD7\xAA\xBB\xBB\xB8\xF1\xCA\xBD";

class ConfigFileTest : public ProgramFolderTest {
 protected:
  ConfigFileTest() { AppState.runFolder = programFolder.Path() + "/"; }

  // The creation handler's load, with state left from an earlier load overwritten.
  void Load() {
    AppState.saveFolder = "left over";
    AppState.formatCode = -77;
    OnMainWindowCreated();
  }
};

TEST_F(ConfigFileTest, PathIsTheRunFolderFollowedByTheFileName) {
  EXPECT_EQ(ConfigFilePath(), programFolder.Path() + "/config.ini");
}

TEST_F(ConfigFileTest, MissingFileLoadsAnEmptyFolderAndGifAndCreatesNothing) {
  Load();
  EXPECT_EQ(AppState.saveFolder, "");
  EXPECT_EQ(AppState.formatCode, 3);
  EXPECT_FALSE(Exists(ConfigPath()));
}

TEST_F(ConfigFileTest, FormatCodeLoadsThroughTheNumberRule) {
  struct Case {
    std::string line;  // the key's line in the file, or none
    int expected;
  };
  const Case cases[] = {
      {"", 3},  // key missing
      {kFormatCodeKey + "=", 3},
      {kFormatCodeKey + "=0", 3},
      {kFormatCodeKey + "=-2", 3},
      {kFormatCodeKey + "=abc", 3},
      {kFormatCodeKey + "=0x4", 3},
      {kFormatCodeKey + "= 4", 4},
      {kFormatCodeKey + "=4abc", 4},
      {kFormatCodeKey + "=4.9", 4},
      {kFormatCodeKey + "=+4", 4},
      {kFormatCodeKey + "=\xA3\xB4", 4},  // full-width four
      {kFormatCodeKey + "=\xA3\xAD"
                        "4",
       3},                                                     // full-width minus: negative, so GIF
      {kFormatCodeKey + "=9", 9},                              // above the table, kept
      {kFormatCodeKey + "=4294967298", 2},                     // wraps in 32 bits
      {kFormatCodeKey + "=1\r\n" + kFormatCodeKey + "=2", 1},  // the first of two wins
  };
  for (const Case& c : cases) {
    WriteWholeFile(ConfigPath(), kSection + "\r\n" + c.line + "\r\n");
    Load();
    EXPECT_EQ(AppState.formatCode, c.expected) << c.line;
  }
}

TEST_F(ConfigFileTest, SaveFolderLoadsUnchangedAndCutTo10239Bytes) {
  const std::string longFolder = "/" + std::string(10300, 'd');
  struct Case {
    std::string value;
    std::string expected;
  };
  const Case cases[] = {
      {"/srv/out/", "/srv/out/"},
      {"/no/such/folder", "/no/such/folder"},
      {"relative", "relative"},
      {"/图片/输出", "/图片/输出"},
      {longFolder, longFolder.substr(0, 10239)},
  };
  for (const Case& c : cases) {
    WriteWholeFile(ConfigPath(), kSection + "\r\n" + kSaveFolderKey + "=" + c.value + "\r\n");
    Load();
    EXPECT_EQ(AppState.saveFolder, c.expected) << c.value.substr(0, 40);
  }
}

TEST_F(ConfigFileTest, StoresCreateTheFileWithExactlyTheirLines) {
  StoreSaveFolder("");
  EXPECT_EQ(ReadWholeFile(ConfigPath()), kSection + "\r\n" + kSaveFolderKey + "=\r\n");

  StoreFormatCode(4);
  StoreSaveFolder("/srv/图片");
  EXPECT_EQ(ReadWholeFile(ConfigPath()),
            kSection + "\r\n" + kSaveFolderKey + "=/srv/图片\r\n" + kFormatCodeKey + "=4\r\n");

  StoreSaveFolder("");
  Load();
  EXPECT_EQ(AppState.saveFolder, "");
  EXPECT_EQ(AppState.formatCode, 4);
}

TEST_F(ConfigFileTest, FormatCodesAreStoredAsPlainDecimalText) {
  for (const auto& [code, text] :
       {std::pair{1.0, "1"}, std::pair{3.0, "3"}, std::pair{5.0, "5"}, std::pair{-1.0, "-1"},
        std::pair{123456789012.0, "123456789012"}}) {
    StoreFormatCode(code);
    EXPECT_EQ(ReadWholeFile(ConfigPath()),
              kSection + "\r\n" + kFormatCodeKey + "=" + text + "\r\n");
  }
}

TEST_F(ConfigFileTest, StoreKeepsEveryOtherByteOfAHandWrittenFile) {
  const std::string before =
      "; written by hand\r\n"
      "[other]\r\nkey=value ; not a comment\r\n\r\n" +
      kSection + "\r\n" + kSaveFolderKey + "=/old\r\n" +
      "; trailing comment\r\n"
      "[last]\nunix=line\n";
  WriteWholeFile(ConfigPath(), before);

  StoreSaveFolder("/new");
  StoreFormatCode(2);

  EXPECT_EQ(ReadWholeFile(ConfigPath()),
            "; written by hand\r\n"
            "[other]\r\nkey=value ; not a comment\r\n\r\n" +
                kSection + "\r\n" + kSaveFolderKey + "=/new\r\n" + kFormatCodeKey + "=2\r\n" +
                "; trailing comment\r\n"
                "[last]\nunix=line\n");
}

// A damaged or odd file loads as the profile rules read it and a later store keeps what the
// file held: the missing section is added after it.
TEST_F(ConfigFileTest, BadFilesLoadSafelyAndStoresKeepTheirContent) {
  const std::string goodLines = kSection + "\r\n" + kFormatCodeKey + "=4\r\n";
  std::string garbage;
  for (int i = 0; i < 4096; ++i) {
    garbage.push_back(static_cast<char>((i * 7919) % 256));
  }
  struct Case {
    std::string name;
    std::string bytes;
    int expectedCode;
    bool storeReadsBack = true;
  };
  const Case cases[] = {
      {"binary garbage", garbage, 3},
      {"UTF-8 byte-order mark hides the first section", "\xEF\xBB\xBF" + goodLines, 3},
      {"megabyte line", std::string(1 << 20, 'x') + "\r\n" + goodLines, 4},
      {"no final line break", kSection + "\r\n" + kFormatCodeKey + "=4", 4},
      {"only zero bytes", std::string(100, '\0'), 3},
      // UTF-16 text: GBK names have no form in it on this system, so the store cannot be read
      // back, but it must not destroy what the file held.
      {"UTF-16 text", std::string("\xFF\xFE[\0x\0]\0\r\0\n\0a\0=\0b\0", 18), 3, false},
  };
  for (const Case& c : cases) {
    WriteWholeFile(ConfigPath(), c.bytes);
    Load();
    EXPECT_EQ(AppState.saveFolder, "") << c.name;
    EXPECT_EQ(AppState.formatCode, c.expectedCode) << c.name;

    StoreSaveFolder("/out");
    const std::string after = ReadWholeFile(ConfigPath());
    EXPECT_EQ(after.substr(0, c.bytes.size()), c.bytes) << c.name;
    if (c.storeReadsBack) {
      Load();
      EXPECT_EQ(AppState.saveFolder, "/out") << c.name;
    }
  }
}

TEST_F(ConfigFileTest, ConfigurationThatIsAFolderLoadsDefaultsAndIsNotReplaced) {
  ASSERT_EQ(::mkdir(ConfigPath().c_str(), 0755), 0);
  Load();
  EXPECT_EQ(AppState.saveFolder, "");
  EXPECT_EQ(AppState.formatCode, 3);

  StoreFormatCode(5);
  struct stat info {};
  ASSERT_EQ(::stat(ConfigPath().c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST_F(ConfigFileTest, UnwritableFolderLeavesTheValueInMemoryOnly) {
  // A program folder that has vanished cannot take a new file.
  AppState.runFolder = programFolder.File("gone") + "/";
  AppState.formatCode = 4;
  StoreFormatCode(4);
  EXPECT_FALSE(Exists(programFolder.File("gone")));
  EXPECT_EQ(AppState.formatCode, 4);
}

}  // namespace
