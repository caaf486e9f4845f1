// What the program relies on from the GUI runtime: the message loop, the quit rule and the
// nesting of handlers that let messages run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "runtime/gui.h"
#include "runtime/person/person.h"
#include "runtime/process.h"
#include "support/events.h"
#include "support/temp_folder.h"

namespace {

namespace ev = rt::event;

using rt::person::Note;
using ::testing::ElementsAre;

void NoteCreation() {
  Note("creation handler");
}

const rt::WindowDescription kFirst{.name = "First", .outerSize = {200, 100}};
const rt::WindowDescription kSecond{.name = "Second", .outerSize = {200, 100}};
const rt::WindowDescription kNoted{
    .name = "Noted", .outerSize = {160, 63}, .onCreated = NoteCreation};

// Closes itself while it is being created, before the loop was entered.
void LetMessagesRunDuringCreation() {
  rt::LetPendingMessagesRun();
}
const rt::WindowDescription kClosedEarly{
    .name = "ClosedEarly", .outerSize = {100, 100}, .onCreated = LetMessagesRunDuringCreation};

class RuntimeContract : public ::testing::Test {
 protected:
  // Runs `entry` as the program, with the script the person follows.
  int Run(rt::ProgramEntry entry, rt::person::Script script) {
    rt::person::Setup setup;
    setup.executablePath = folder.File("program");
    setup.script = std::move(script);
    rt::person::Prepare(std::move(setup));
    return rt::RunProcess(entry);
  }

  testing_support::TempFolder folder;
  testing_support::WorkingFolderGuard workingFolderGuard;
};

void LoadFirstAndLoop() {
  rt::LoadWindow(kFirst);
  rt::RunMessageLoop();
}

void LoadBothAndLoop() {
  rt::LoadWindow(kFirst);
  rt::LoadWindow(kSecond);
  rt::RunMessageLoop();
}

// A handler that lets messages run three times.
void ThreeMessageSteps() {
  Note("handler begins");
  for (int step = 1; step <= 3; ++step) {
    rt::LetPendingMessagesRun();
    Note("after step " + std::to_string(step) + (rt::WindowExists(kFirst) ? "" : ", window gone"));
  }
  Note("handler ends");
}

TEST_F(RuntimeContract, QuitStaysQueuedUntilTheRunningHandlerHasReturned) {
  rt::person::Script script;
  script.Do(ThreeMessageSteps).Idle().Close(kFirst).Idle();

  EXPECT_EQ(Run(LoadFirstAndLoop, std::move(script)), 0);

  EXPECT_THAT(
      rt::person::Journal(),
      ElementsAre(ev::Create("First", {412, 334}), ev::Show("First"), ev::LoopEntered(),
                  ev::Note("handler begins"), ev::Note("after step 1"), ev::Destroy("First"),
                  ev::PostQuit(0), ev::Note("after step 2, window gone"),
                  ev::Note("after step 3, window gone"), ev::Note("handler ends"), ev::LoopEnded(),
                  ev::ExitRoutineRuns()));
  EXPECT_EQ(rt::person::ScriptProblem(), "");
}

TEST_F(RuntimeContract, NestedHandlerRunsToItsEndBeforeTheOuterGoesOn) {
  const auto outer = [] {
    Note("outer begins");
    rt::LetPendingMessagesRun();
    Note("outer ends");
  };
  const auto inner = [] {
    Note("inner begins");
    rt::LetPendingMessagesRun();
    Note("inner ends");
  };
  rt::person::Script script;
  // The inner action arrives during the outer handler's first step, and the idle step after
  // it is the inner handler's own step.
  script.Do(outer).Do(inner).Idle().Close(kFirst);

  EXPECT_EQ(Run(LoadFirstAndLoop, std::move(script)), 0);

  EXPECT_THAT(rt::person::Journal(),
              ElementsAre(ev::Create("First", {412, 334}), ev::Show("First"), ev::LoopEntered(),
                          ev::Note("outer begins"), ev::Note("inner begins"),
                          ev::Note("inner ends"), ev::Note("outer ends"), ev::Destroy("First"),
                          ev::PostQuit(0), ev::LoopEnded(), ev::ExitRoutineRuns()));
}

TEST_F(RuntimeContract, LoopEndsOnlyWhenTheLastWindowIsDestroyed) {
  rt::person::Script script;
  script.Close(kSecond).Close(kSecond).Close(kFirst);

  EXPECT_EQ(Run(LoadBothAndLoop, std::move(script)), 0);

  EXPECT_THAT(rt::person::Journal(),
              ElementsAre(ev::Create("First", {412, 334}), ev::Show("First"),
                          ev::Create("Second", {412, 334}), ev::Show("Second"), ev::LoopEntered(),
                          ev::Destroy("Second"), ev::IgnoredClose("Second"), ev::Destroy("First"),
                          ev::PostQuit(0), ev::LoopEnded(), ev::ExitRoutineRuns()));
}

TEST_F(RuntimeContract, CreationHandlerRunsBeforeTheWindowIsShown) {
  rt::person::Script script;
  script.Close(kNoted);
  EXPECT_EQ(Run(
                [] {
                  rt::LoadWindow(kNoted);
                  rt::RunMessageLoop();
                },
                std::move(script)),
            0);
  EXPECT_THAT(rt::person::Journal(),
              ElementsAre(ev::Create("Noted", {432, 352}), ev::Note("creation handler"),
                          ev::Show("Noted"), ev::LoopEntered(), ev::Destroy("Noted"),
                          ev::PostQuit(0), ev::LoopEnded(), ev::ExitRoutineRuns()));
}

TEST_F(RuntimeContract, WindowDestroyedBeforeTheLoopPostsNoQuitAndTheLoopReturnsAtOnce) {
  rt::person::Script script;
  script.Close(kClosedEarly);
  EXPECT_EQ(Run(
                [] {
                  EXPECT_FALSE(rt::LoadWindow(kClosedEarly));
                  rt::RunMessageLoop();
                },
                std::move(script)),
            0);
  EXPECT_THAT(rt::person::Journal(),
              ElementsAre(ev::Create("ClosedEarly", {462, 334}), ev::Destroy("ClosedEarly"),
                          ev::LoopEntered(), ev::LoopEnded(), ev::ExitRoutineRuns()));
}

TEST_F(RuntimeContract, ScriptThatEndsWhileTheProgramWaitsIsReportedAndEndsTheRun) {
  EXPECT_EQ(Run(LoadFirstAndLoop, rt::person::Script{}), 0);
  EXPECT_EQ(rt::person::ScriptProblem(),
            "the program waits for the user, but the script has ended");
  EXPECT_THAT(rt::person::Journal(), ::testing::Contains(ev::LoopEnded()));
}

TEST_F(RuntimeContract, ThemedLookTakesSchemesOneToThreeAndAnythingElseSwitchesItOff) {
  EXPECT_EQ(Run(
                [] {
                  for (const int scheme : {1, 2, 3, 0, 4, -1}) {
                    EXPECT_TRUE(rt::SwitchThemedLook(scheme));
                  }
                },
                rt::person::Script{}),
            0);
  EXPECT_THAT(rt::person::Journal(),
              ElementsAre(ev::Theme(1), ev::Theme(2), ev::Theme(3), ev::Theme(0), ev::Theme(0),
                          ev::Theme(0), ev::ExitRoutineRuns()));
}

TEST_F(RuntimeContract, ExitRoutineRunsOnceAndTheLatestRegisteredWins) {
  static int firstRuns = 0;
  static int secondRuns = 0;
  firstRuns = 0;
  secondRuns = 0;
  EXPECT_EQ(Run(
                [] {
                  rt::RegisterExitRoutine([] { ++firstRuns; });
                  rt::RegisterExitRoutine([] { ++secondRuns; });
                },
                rt::person::Script{}),
            0);
  EXPECT_EQ(firstRuns, 0);
  EXPECT_EQ(secondRuns, 1);
}

TEST_F(RuntimeContract, ProgramFolderIsTheFolderPartOfTheProgramPath) {
  static std::string seen;
  seen.clear();
  EXPECT_EQ(Run([] { seen = rt::ProgramFolder(); }, rt::person::Script{}), 0);
  EXPECT_EQ(seen, folder.Path());
  EXPECT_EQ(testing_support::WorkingFolder(), folder.Path());
}

}  // namespace
