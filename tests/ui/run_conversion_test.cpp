// The conversion run, driven through the toolbar with real pictures and real codecs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/person/person.h"
#include "state/app_state.h"
#include "support/events.h"
#include "support/pictures.h"
#include "support/scenario.h"
#include "ui/main_window.h"
#include "ui/settings_window.h"

namespace {

namespace ev = rt::event;

using rt::person::Messages;
using rt::person::ShownMessage;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing_support::DecodeFile;
using testing_support::Exists;
using testing_support::ReadWholeFile;
using testing_support::ScenarioTest;

const ShownMessage kDone{"信息：", "图片转换完毕!"};
const ShownMessage kReminder{"温馨提示!", "请先选择图片保存目录."};

class RunConversionTest : public ScenarioTest {
 protected:
  // Pictures told apart by their widths: the entry at position p is 2 + p pixels wide.
  std::vector<std::string> Pictures(int count) {
    const std::string in = Folder("in");
    std::vector<std::string> paths;
    for (int position = 0; position < count; ++position) {
      paths.push_back(Picture(in, "picture" + std::to_string(position) + ".bmp",
                              static_cast<std::uint32_t>(2 + position),
                              static_cast<std::uint8_t>(position * 10)));
    }
    return paths;
  }

  // The width of the picture a converted file holds; 0 when it is no picture.
  static std::uint32_t WidthOf(const std::string& path) { return DecodeFile(path).width; }
};

TEST_F(RunConversionTest, TwelveEntriesBecomeOneToTwelveEachTheConversionOfItsEntry) {
  const std::vector<std::string> pictures = Pictures(12);
  const std::string out = Folder("out");
  StoreSettings(out, 2);
  AddThroughFileDialog(pictures);
  script.Click(工具条1, toolbar::kStartConversion).CloseMessage();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(FileNames(out), ElementsAre("1.jpg", "10.jpg", "11.jpg", "12.jpg", "2.jpg", "3.jpg",
                                          "4.jpg", "5.jpg", "6.jpg", "7.jpg", "8.jpg", "9.jpg"));
  for (int number = 1; number <= 12; ++number) {
    const std::string path = out + "/" + std::to_string(number) + ".jpg";
    EXPECT_TRUE(ReadWholeFile(path).starts_with("\xFF\xD8")) << path;
    EXPECT_EQ(WidthOf(path), static_cast<std::uint32_t>(1 + number)) << path;
  }
  EXPECT_THAT(Messages(), ElementsAre(kDone));
  EXPECT_EQ(AppState.outputExtension, "");  // released at the end, like the other texts
}

TEST_F(RunConversionTest, EmptyListAndNoSaveFolderRemindsAsksAndEnds) {
  const std::string out = Folder("out");
  script.Click(工具条1, toolbar::kStartConversion).CloseMessage().ChooseFolder(out).CloseMessage();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(Messages(), ElementsAre(kReminder, kDone));
  EXPECT_THAT(rt::person::Journal(), ::testing::Contains(ev::FolderChooser("请选择图片保存目录:")));
  EXPECT_EQ(StoredSaveFolder(), out);
  EXPECT_THAT(FileNames(out), IsEmpty());
}

TEST_F(RunConversionTest, CancelledSaveFolderWritesNothingAnywhereAndStillEnds) {
  const std::vector<std::string> pictures = Pictures(2);
  AddThroughFileDialog(pictures);
  script.Click(工具条1, toolbar::kStartConversion).CloseMessage().Cancel().CloseMessage();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(Messages(), ElementsAre(kReminder, kDone));
  EXPECT_EQ(StoredSaveFolder(), "");
  EXPECT_FALSE(Exists("/1.gif"));
  EXPECT_FALSE(Exists("/2.gif"));
}

TEST_F(RunConversionTest, SecondRunIntoTheSameFolderReplacesNothing) {
  const std::vector<std::string> pictures = Pictures(3);
  const std::string out = Folder("out");
  StoreSettings(out, 5);
  AddThroughFileDialog(pictures);
  std::vector<std::string> firstRun;
  script.Click(工具条1, toolbar::kStartConversion).CloseMessage();
  script.Look([&] {
    for (int number = 1; number <= 3; ++number) {
      firstRun.push_back(ReadWholeFile(out + "/" + std::to_string(number) + ".png"));
    }
  });
  script.Click(工具条1, toolbar::kStartConversion).CloseMessage();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(FileNames(out), ElementsAre("1.png", "2.png", "3.png", "4.png", "5.png", "6.png"));
  for (int number = 1; number <= 3; ++number) {
    EXPECT_EQ(ReadWholeFile(out + "/" + std::to_string(number) + ".png"),
              firstRun[static_cast<std::size_t>(number - 1)]);
    // Each entry of the second run found its first-choice name taken and went on from there.
    EXPECT_EQ(WidthOf(out + "/" + std::to_string(number + 3) + ".png"),
              static_cast<std::uint32_t>(1 + number));
  }
}

TEST_F(RunConversionTest, FailedEntriesWriteNothingAndTheRunGoesOn) {
  const std::vector<std::string> pictures = Pictures(2);
  const std::string in = work.File("in");
  testing_support::WriteWholeFile(in + "/notes.txt", "not a picture");
  const std::string out = Folder("out");
  StoreSettings(out, 4);
  // A text file, a picture, a file deleted after it was listed, a folder, a picture.
  AddThroughFileDialog({in + "/notes.txt", pictures[0], in + "/gone.bmp", in, pictures[1]});
  script.Click(工具条1, toolbar::kStartConversion).CloseMessage();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(FileNames(out), ElementsAre("2.tiff", "5.tiff"));
  EXPECT_EQ(WidthOf(out + "/2.tiff"), 2U);
  EXPECT_EQ(WidthOf(out + "/5.tiff"), 3U);
  EXPECT_THAT(Messages(), ElementsAre(kDone));
}

TEST_F(RunConversionTest, FormatCodeAboveTheTableConvertsNothingAndKeepsTheExtension) {
  const std::vector<std::string> pictures = Pictures(2);
  const std::string out = Folder("out");
  StoreSettings(out, 9);
  AddThroughFileDialog(pictures);
  std::string extensionAfterRun = "unset";
  script.Click(工具条1, toolbar::kStartConversion).CloseMessage();
  script.Look([&] { extensionAfterRun = AppState.outputExtension; });

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(FileNames(out), IsEmpty());
  EXPECT_EQ(extensionAfterRun, "");
  EXPECT_THAT(Messages(), ElementsAre(kDone));
}

// Commands clicked during a run's message steps: the run's first step comes after its first
// entry, so a click placed right after "开始转换" arrives there.
TEST_F(RunConversionTest, ListClearedDuringTheRunLeavesTheRestUnconverted) {
  const std::vector<std::string> pictures = Pictures(3);
  const std::string out = Folder("out");
  StoreSettings(out, 5);
  AddThroughFileDialog(pictures);
  script.Click(工具条1, toolbar::kStartConversion)
      .Click(工具条1, toolbar::kClearPictures)
      .CloseMessage();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(FileNames(out), ElementsAre("1.png"));
  EXPECT_THAT(Messages(), ElementsAre(kDone));
}

TEST_F(RunConversionTest, NestedRunGoesThroughAllItsStepsThenTheOuterRunGoesOn) {
  const std::vector<std::string> pictures = Pictures(3);
  const std::string out = Folder("out");
  StoreSettings(out, 5);
  AddThroughFileDialog(pictures);
  script.Click(工具条1, toolbar::kStartConversion)
      .Click(工具条1, toolbar::kStartConversion)
      .CloseMessage()
      .CloseMessage();

  EXPECT_EQ(Run(), 0);

  // Outer entry 1 takes 1; the inner run then finds 1 taken (entry 1 goes to 2, entry 2 to 3,
  // entry 3 to 4); the outer run's entries 2 and 3 go on to 5 and 6.
  const std::uint32_t expectedWidths[] = {2, 2, 3, 4, 3, 4};
  for (int number = 1; number <= 6; ++number) {
    EXPECT_EQ(WidthOf(out + "/" + std::to_string(number) + ".png"), expectedWidths[number - 1])
        << number;
  }
  EXPECT_THAT(Messages(), ElementsAre(kDone, kDone));
}

TEST_F(RunConversionTest, FormatPickedDuringTheRunAppliesFromTheNextEntry) {
  const std::vector<std::string> pictures = Pictures(3);
  const std::string out = Folder("out");
  StoreSettings(out, 2);
  AddThroughFileDialog(pictures);
  script.Click(工具条1, toolbar::kStartConversion).Click(工具条1, toolbar::kSettings);
  script.Pick(组合框1, 4).Close(SettingsWindow).CloseMessage();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(FileNames(out), ElementsAre("1.jpg", "2.png", "3.png"));
  EXPECT_EQ(StoredFormatCode(), "5");
}

TEST_F(RunConversionTest, EveryFileCarriesTheExtensionOfItsOwnFormat) {
  const std::vector<std::string> pictures = Pictures(2);
  const std::string out = Folder("out");
  testing_support::WriteWholeFile(out + "/1.png", "taken");
  testing_support::WriteWholeFile(out + "/2.png", "taken");
  StoreSettings(out, 5);
  AddThroughFileDialog(pictures);
  // The first entry's name search lets messages run twice: jpg is picked in the first step,
  // and a second run, which converts to jpg, starts in the second.
  script.Click(工具条1, toolbar::kStartConversion)
      .Click(工具条1, toolbar::kSettings)
      .Pick(组合框1, 1)
      .Close(SettingsWindow);
  script.Click(工具条1, toolbar::kStartConversion).CloseMessage().CloseMessage();

  EXPECT_EQ(Run(), 0);

  ASSERT_GT(FileNames(out).size(), 2U);
  for (const std::string& name : FileNames(out)) {
    const std::string bytes = ReadWholeFile(out + "/" + name);
    if (name.ends_with(".png") && bytes != "taken") {
      EXPECT_TRUE(bytes.starts_with("\x89PNG")) << name;
    } else if (name.ends_with(".jpg")) {
      EXPECT_TRUE(bytes.starts_with("\xFF\xD8")) << name;
    }
  }
  EXPECT_THAT(FileNames(out), ::testing::Contains("3.png"));
}

TEST_F(RunConversionTest, SaveFolderChosenDuringTheRunTakesTheFollowingEntries) {
  const std::vector<std::string> pictures = Pictures(3);
  const std::string out = Folder("out");
  const std::string other = Folder("other");
  StoreSettings(out, 1);
  AddThroughFileDialog(pictures);
  script.Click(工具条1, toolbar::kStartConversion)
      .Click(工具条1, toolbar::kSaveFolder)
      .ChooseFolder(other)
      .CloseMessage();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(FileNames(out), ElementsAre("1.bmp"));
  EXPECT_THAT(FileNames(other), ElementsAre("2.bmp", "3.bmp"));
  EXPECT_EQ(StoredSaveFolder(), other);
}

TEST_F(RunConversionTest, MainWindowClosedDuringTheRunEndsItAndTheProgram) {
  const std::vector<std::string> pictures = Pictures(3);
  const std::string out = Folder("out");
  StoreSettings(out, 5);
  AddThroughFileDialog(pictures);
  script.Click(工具条1, toolbar::kStartConversion).Close(MainWindow);

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(FileNames(out), ElementsAre("1.png"));
  EXPECT_THAT(Messages(), IsEmpty());
  const std::vector<rt::Event>& journal = rt::person::Journal();
  const auto quit = std::find(journal.begin(), journal.end(), ev::PostQuit(0));
  ASSERT_NE(quit, journal.end());
  EXPECT_EQ(std::find(quit, journal.end(), ev::LoopEnded()) + 1, journal.end() - 1);
}

TEST_F(RunConversionTest, OutputThatCannotBeWrittenLeavesNothingAndTheRunGoesOn) {
  const std::vector<std::string> pictures = Pictures(2);
  // The save folder is a file: nothing can be created in it.
  const std::string& notAFolder = pictures[0];
  const std::string before = ReadWholeFile(notAFolder);
  StoreSettings(notAFolder, 5);
  AddThroughFileDialog(pictures);
  script.Click(工具条1, toolbar::kStartConversion).CloseMessage();

  EXPECT_EQ(Run(), 0);

  EXPECT_EQ(ReadWholeFile(notAFolder), before);
  EXPECT_THAT(Messages(), ElementsAre(kDone));
}

}  // namespace
