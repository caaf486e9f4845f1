// The program's life from the runtime's call to the process exit code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/program_main.h"
#include "runtime/person/person.h"
#include "runtime/process.h"
#include "state/app_state.h"
#include "support/events.h"
#include "support/program_test.h"
#include "ui/main_window.h"

namespace {

namespace ev = rt::event;

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using testing_support::ProgramTest;
using testing_support::WorkingFolder;
using testing_support::WriteWholeFile;

// What the program holds at the moment its main window is first shown.
struct AtFirstShow {
  bool seen = false;
  std::string runFolder;
  std::string saveFolder;
  int formatCode = 0;
  std::string workingFolder;
};

class StartUpTest : public ProgramTest {
 protected:
  rt::person::Setup WatchedSetup() {
    rt::person::Setup setup = SetupInProgramFolder();
    setup.observer = [this](const rt::Event& step) {
      if (step == ev::Show("MainWindow")) {
        atFirstShow.seen = true;
        atFirstShow.runFolder = AppState.runFolder;
        atFirstShow.saveFolder = AppState.saveFolder;
        atFirstShow.formatCode = AppState.formatCode;
        atFirstShow.workingFolder = WorkingFolder();
      }
    };
    return setup;
  }

  AtFirstShow atFirstShow;
};

TEST_F(StartUpTest, StartsThemedLoadsTheConfigurationBeforeShowingAndEndsInOrder) {
  // "配置", "保存目录" and "转换格式" in GBK.
  WriteWholeFile(ConfigPath(),
                 "[\xC5\xE4\xD6\xC3]\r\n"
                 "\xB1\xA3\xB4\xE6\xC4\xBF\xC2\xBC=/srv/pictures/out\r\n"
                 "\xD7\xAA\xBB\xBB\xB8\xF1\xCA\xBD=5\r\n");
  rt::person::Setup setup = WatchedSetup();
  setup.script.Close(MainWindow);

  EXPECT_EQ(RunProgram(std::move(setup)), 0);

  // 1024 x 768 screen: the window is centred, never at the place stored in its description.
  EXPECT_THAT(rt::person::Journal(),
              ElementsAre(ev::Theme(1), ev::Create("MainWindow", {273, 222}),
                          ev::Show("MainWindow"), ev::LoopEntered(), ev::Destroy("MainWindow"),
                          ev::PostQuit(0), ev::LoopEnded(), ev::ExitRoutineRuns()));
  ASSERT_TRUE(atFirstShow.seen);
  EXPECT_EQ(atFirstShow.runFolder, programFolder.Path() + "/");
  EXPECT_EQ(atFirstShow.saveFolder, "/srv/pictures/out");
  EXPECT_EQ(atFirstShow.formatCode, 5);
  EXPECT_EQ(atFirstShow.workingFolder, programFolder.Path());
  // The exit routine released the texts; the format code needs no release.
  EXPECT_EQ(AppState.runFolder, "");
  EXPECT_EQ(AppState.saveFolder, "");
  EXPECT_EQ(AppState.outputExtension, "");
  EXPECT_EQ(AppState.formatCode, 5);
}

TEST_F(StartUpTest, RunFolderEndsInExactlyOneSeparatorAddedOnlyWhenMissing) {
  struct Case {
    std::string programPath;
    std::string runFolder;
    std::string workingFolder;
  };
  const std::string folder = programFolder.Path();
  const Case cases[] = {
      {folder + "/picbatch", folder + "/", folder},
      // The folder part already ends in a separator: none is added.
      {folder + "//picbatch", folder + "/", folder},
      // A program in the root folder.
      {"/picbatch", "/", "/"},
  };
  for (const Case& c : cases) {
    AppState = AppStateRecord{};
    atFirstShow = {};
    rt::person::Setup setup = WatchedSetup();
    setup.executablePath = c.programPath;
    setup.script.Close(MainWindow);
    EXPECT_EQ(RunProgram(std::move(setup)), 0);
    EXPECT_EQ(atFirstShow.runFolder, c.runFolder) << c.programPath;
    EXPECT_EQ(atFirstShow.workingFolder, c.workingFolder) << c.programPath;
  }
}

TEST_F(StartUpTest, WindowOpensCentredOffTheEdgesOfASmallScreen) {
  rt::person::Setup setup = SetupInProgramFolder();
  setup.screen = {400, 300};
  setup.script.Close(MainWindow);
  EXPECT_EQ(RunProgram(std::move(setup)), 0);
  EXPECT_THAT(rt::person::Journal(), testing::Contains(ev::Create("MainWindow", {-39, -12})));
}

TEST_F(StartUpTest, MainWindowThatCannotBeCreatedEndsTheProgramInOrder) {
  rt::person::Setup setup = SetupInProgramFolder();
  setup.windowsThatCannotBeCreated.insert("MainWindow");

  EXPECT_EQ(RunProgram(std::move(setup)), 0);

  EXPECT_THAT(rt::person::Journal(),
              ElementsAre(ev::Theme(1), ev::CannotCreate("MainWindow"), ev::LoopEntered(),
                          ev::LoopEnded(), ev::ExitRoutineRuns()));
  EXPECT_FALSE(testing_support::Exists(ConfigPath()));
}

TEST_F(StartUpTest, OrderlyEndExitsTheProcessWithCodeZeroAfterTheExitRoutine) {
  rt::person::Setup setup = SetupInProgramFolder();
  setup.echoJournalToStderr = true;
  setup.script.Close(MainWindow);
  rt::person::Prepare(std::move(setup));
  EXPECT_EXIT(std::exit(rt::RunProcess(ProgramMain)), ::testing::ExitedWithCode(0),
              HasSubstr("journal: loop ended\njournal: exit routine\n"));
}

TEST_F(StartUpTest, FatalErrorReportEndsTheProcessWithMinusOneWithoutTheExitRoutine) {
  rt::person::Setup setup = SetupInProgramFolder();
  setup.echoJournalToStderr = true;
  setup.script.Fault("memory cannot be obtained").Close(MainWindow);
  rt::person::Prepare(std::move(setup));
  EXPECT_EXIT(
      std::exit(rt::RunProcess(ProgramMain)), ::testing::ExitedWithCode(255),
      AllOf(HasSubstr("journal: show MainWindow"),
            HasSubstr("fatal error: memory cannot be obtained"), Not(HasSubstr("exit routine"))));
}

TEST_F(StartUpTest, WindowDescriptionsThatCannotBeLoadedEndTheProcessBeforeTheProgramRuns) {
  rt::person::Setup setup = SetupInProgramFolder();
  setup.echoJournalToStderr = true;
  setup.descriptionsReady = false;
  rt::person::Prepare(std::move(setup));
  EXPECT_EXIT(std::exit(rt::RunProcess(ProgramMain)), ::testing::ExitedWithCode(255),
              AllOf(HasSubstr("fatal error: the window descriptions cannot be loaded"),
                    Not(HasSubstr("theme")), Not(HasSubstr("exit routine"))));
}

}  // namespace
