// The list and save-folder commands, driven through the toolbar with real folders.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/person/person.h"
#include "support/events.h"
#include "support/scenario.h"
#include "ui/main_window.h"

namespace {

namespace ev = rt::event;

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing_support::ListSnapshot;
using testing_support::ScenarioTest;
using testing_support::WriteWholeFile;

class PictureListTest : public ScenarioTest {
 protected:
  // A folder holding a.jpg, b.png, c.txt, a hidden file and a subfolder with a file in it.
  std::string MixedFolder(std::string_view name) {
    const std::string folder = Folder(name);
    for (const char* file : {"b.png", "a.jpg", "c.txt", ".hidden"}) {
      WriteWholeFile(folder + "/" + file, "x");
    }
    ::mkdir((folder + "/sub").c_str(), 0755);
    WriteWholeFile(folder + "/sub/deep.jpg", "x");
    return folder;
  }
};

TEST_F(PictureListTest, AddingAppendsSelectsAndRemembersTheFileName) {
  const std::string folder = Folder("in");
  script.Click(工具条1, toolbar::kAddPicture).Cancel();
  LookAtList();
  AddThroughFileDialog({folder + "/one.jpg", folder + "/two.jpg"});
  script.SelectRow(列表框1, 0);
  AddThroughFileDialog({folder + "/one.jpg"});  // the same path again
  LookAtList();
  script.Click(工具条1, toolbar::kAddPicture).Cancel();
  LookAtList();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(
      listSeen,
      ElementsAre(
          ListSnapshot{{}, -1},
          ListSnapshot{{folder + "/one.jpg", folder + "/two.jpg", folder + "/one.jpg"}, 2},
          ListSnapshot{{folder + "/one.jpg", folder + "/two.jpg", folder + "/one.jpg"}, 2}));
  // Each opening starts at the file chosen last.
  const std::vector<rt::Event>& journal = rt::person::Journal();
  std::vector<rt::Event> openings;
  for (const rt::Event& step : journal) {
    if (step.kind == rt::EventKind::FileDialogAt) {
      openings.push_back(step);
    }
  }
  EXPECT_THAT(
      openings,
      ElementsAre(ev::FileDialogAt(""), ev::FileDialogAt(""), ev::FileDialogAt(folder + "/one.jpg"),
                  ev::FileDialogAt(folder + "/two.jpg"), ev::FileDialogAt(folder + "/one.jpg")));
}

TEST_F(PictureListTest, ImportAddsEveryFileButNoFolderAndSelectsTheLast) {
  const std::string folder = MixedFolder("mixed");
  const std::string empty = Folder("empty");
  const std::string onlyFolders = Folder("folders");
  ::mkdir((onlyFolders + "/sub").c_str(), 0755);
  script.Click(工具条1, toolbar::kImportFolder).ChooseFolder(folder);
  LookAtList();
  script.Click(工具条1, toolbar::kImportFolder).ChooseFolder(empty);
  script.Click(工具条1, toolbar::kImportFolder).ChooseFolder(onlyFolders);
  script.Click(工具条1, toolbar::kImportFolder).Cancel();
  LookAtList();

  EXPECT_EQ(Run(), 0);

  const ListSnapshot imported{
      {folder + "/.hidden", folder + "/a.jpg", folder + "/b.png", folder + "/c.txt"}, 3};
  EXPECT_THAT(listSeen, ElementsAre(imported, imported));
  EXPECT_THAT(rt::person::Messages(), IsEmpty());
}

TEST_F(PictureListTest, ImportOfTheRootFolderPutsTwoSeparatorsBeforeEachName) {
  script.Click(工具条1, toolbar::kImportFolder).ChooseFolder("/");
  LookAtList();

  EXPECT_EQ(Run(), 0);

  std::vector<std::string> expected;
  for (const auto& entry : std::filesystem::directory_iterator("/")) {
    if (!entry.is_directory()) {
      expected.push_back("//" + entry.path().filename().string());
    }
  }
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(listSeen.size(), 1U);
  EXPECT_EQ(listSeen[0].entries, expected);
}

TEST_F(PictureListTest, ImportNestedInAnImportRunsToItsEndFirst) {
  const std::string outer = Folder("outer");
  const std::string inner = Folder("inner");
  for (const char* name : {"1.jpg", "2.jpg", "3.jpg"}) {
    WriteWholeFile(outer + "/" + name, "x");
  }
  for (const char* name : {"x.png", "y.png"}) {
    WriteWholeFile(inner + "/" + name, "x");
  }
  // The inner import is clicked during the outer import's first message step.
  script.Click(工具条1, toolbar::kImportFolder)
      .ChooseFolder(outer)
      .Click(工具条1, toolbar::kImportFolder)
      .ChooseFolder(inner);
  LookAtList();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(listSeen,
              ElementsAre(ListSnapshot{{outer + "/1.jpg", inner + "/x.png", inner + "/y.png",
                                        outer + "/2.jpg", outer + "/3.jpg"},
                                       4}));
}

TEST_F(PictureListTest, ClearDuringAnImportRefillsFromTheTop) {
  const std::string folder = Folder("in");
  for (const char* name : {"1.jpg", "2.jpg", "3.jpg"}) {
    WriteWholeFile(folder + "/" + name, "x");
  }
  script.Click(工具条1, toolbar::kImportFolder)
      .ChooseFolder(folder)
      .Idle()
      .Click(工具条1, toolbar::kClearPictures);
  LookAtList();

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(listSeen, ElementsAre(ListSnapshot{{folder + "/3.jpg"}, 0}));
}

TEST_F(PictureListTest, MainWindowClosedDuringAnImportStopsItAndEndsTheProgram) {
  const std::string folder = Folder("in");
  for (const char* name : {"1.jpg", "2.jpg", "3.jpg"}) {
    WriteWholeFile(folder + "/" + name, "x");
  }
  script.Click(工具条1, toolbar::kImportFolder).ChooseFolder(folder).Close(MainWindow);

  EXPECT_EQ(Run(), 0);

  const std::vector<rt::Event>& journal = rt::person::Journal();
  EXPECT_EQ(journal.back(), ev::ExitRoutineRuns());
  EXPECT_EQ(journal[journal.size() - 2], ev::LoopEnded());
}

TEST_F(PictureListTest, RemoveTakesTheSelectedEntryAndThenNothing) {
  const std::string folder = Folder("in");
  AddThroughFileDialog({folder + "/a", folder + "/b", folder + "/c"});
  script.SelectRow(列表框1, 1).Click(工具条1, toolbar::kRemovePicture);
  LookAtList();
  script.Click(工具条1, toolbar::kRemovePicture);
  LookAtList();
  script.Click(工具条1, toolbar::kClearPictures);
  LookAtList();
  script.Click(工具条1, toolbar::kClearPictures);
  LookAtList();

  EXPECT_EQ(Run(), 0);

  const ListSnapshot twoLeft{{folder + "/a", folder + "/c"}, -1};
  EXPECT_THAT(listSeen, ElementsAre(twoLeft, twoLeft, ListSnapshot{{}, -1}, ListSnapshot{{}, -1}));
}

TEST_F(PictureListTest, SaveFolderIsStoredAndACancelEmptiesIt) {
  const std::string out = Folder("out");
  std::vector<std::string> stored;
  script.Click(工具条1, toolbar::kSaveFolder).ChooseFolder(out);
  script.Look([&] { stored.push_back(StoredSaveFolder()); });
  script.Click(工具条1, toolbar::kSaveFolder).Cancel();
  script.Look([&] { stored.push_back(StoredSaveFolder()); });

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(stored, ElementsAre(out, ""));
  EXPECT_THAT(rt::person::Journal(), ::testing::Contains(ev::FolderChooser("请选择图片保存目录:")));
}

}  // namespace
