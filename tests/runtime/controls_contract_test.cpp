// What the program relies on from the list box and the drop-down, and from controls whose
// window has gone.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/controls.h"
#include "runtime/gui.h"
#include "runtime/person/person.h"
#include "runtime/process.h"
#include "support/temp_folder.h"

namespace {

using ::testing::ElementsAre;

std::vector<int> picksSeen;
void NotePick();

constexpr std::array<std::string_view, 5> kItems{"a", "b", "c", "d", "e"};
constexpr std::array<rt::ControlDescription, 2> kControls{{
    {.name = "list", .kind = rt::ControlKind::ListBox, .size = {100, 100}},
    {.name = "choice",
     .kind = rt::ControlKind::DropDown,
     .size = {50, 20},
     .items = kItems,
     .initialSelection = 2,
     .onItemPicked = NotePick},
}};
const rt::WindowDescription kWindow{
    .name = "Window", .outerSize = {200, 200}, .controls = kControls};
const rt::WindowDescription kOther{.name = "Other", .outerSize = {200, 200}};
constexpr rt::ControlRef kList{&kWindow, 0};
constexpr rt::ControlRef kChoice{&kWindow, 1};

void NotePick() {
  picksSeen.push_back(rt::DropDownSelection(kChoice));
}

class ControlsContract : public ::testing::Test {
 protected:
  ControlsContract() { picksSeen.clear(); }

  void Run(rt::person::Script script) {
    rt::person::Setup setup;
    setup.executablePath = folder.File("program");
    setup.script = std::move(script);
    rt::person::Prepare(std::move(setup));
    rt::RunProcess([] {
      rt::LoadWindow(kWindow);
      rt::LoadWindow(kOther);
      rt::RunMessageLoop();
    });
    EXPECT_EQ(rt::person::ScriptProblem(), "");
  }

  testing_support::TempFolder folder;
  testing_support::WorkingFolderGuard workingFolderGuard;
};

TEST_F(ControlsContract, ListSelectionIsClampedAndFollowsItsEntry) {
  std::vector<int> seen;
  auto select = [&](int position) {
    rt::ListSetSelection(kList, position);
    seen.push_back(rt::ListSelection(kList));
  };
  rt::person::Script script;
  script.Look([&] {
    select(0);  // empty list: nothing to select
    for (const char* text : {"p", "q", "r"}) {
      seen.push_back(rt::ListAddText(kList, text));
    }
    for (const int position : {1, 5, -1, -7, 2}) {
      select(position);
    }
  });
  script.Close(kWindow).Close(kOther);
  Run(std::move(script));
  EXPECT_THAT(seen, ElementsAre(-1, 0, 1, 2, 1, 2, -1, -1, 2));
}

TEST_F(ControlsContract, RemovingMovesEntriesUpAndTakesTheSelectionAlong) {
  std::vector<std::string> seen;
  auto look = [&] {
    std::string line;
    for (int position = 0; position < rt::ListCount(kList); ++position) {
      line += rt::ListText(kList, position);
    }
    seen.push_back(line + " " + std::to_string(rt::ListSelection(kList)) + " [" +
                   rt::ListText(kList, -1) + rt::ListText(kList, rt::ListCount(kList)) + "]");
  };
  rt::person::Script script;
  script.Look([&] {
    for (const char* text : {"p", "q", "r", "s"}) {
      rt::ListAddText(kList, text);
    }
    rt::ListSetSelection(kList, 2);
    rt::ListRemoveAt(kList, 0);  // the selected entry moves up with the others
    look();
    for (const int outside : {-1, 3, 99}) {
      rt::ListRemoveAt(kList, outside);
    }
    look();
    rt::ListRemoveAt(kList, 1);  // the selected entry
    look();
    rt::ListSetSelection(kList, 0);
    rt::ListRemoveAll(kList);
    look();
  });
  script.Close(kWindow).Close(kOther);
  Run(std::move(script));
  EXPECT_THAT(seen, ElementsAre("qrs 1 []", "qrs 1 []", "qs -1 []", " -1 []"));
}

TEST_F(ControlsContract, DropDownClampsAndRaisesItemPickedOnlyForTheUsersPicks) {
  std::vector<int> seen;
  rt::person::Script script;
  script.Look([&] {
    seen.push_back(rt::DropDownSelection(kChoice));  // the description's own selection
    for (const int position : {9, -3, -1, 0}) {
      rt::DropDownSetSelection(kChoice, position);
      seen.push_back(rt::DropDownSelection(kChoice));
    }
  });
  script.Pick(kChoice, 3).Pick(kChoice, 3).Pick(kChoice, 0);
  script.Close(kWindow).Close(kOther);
  Run(std::move(script));
  EXPECT_THAT(seen, ElementsAre(2, 4, -1, -1, 0));
  EXPECT_THAT(picksSeen, ElementsAre(3, 3, 0));
}

TEST_F(ControlsContract, ControlsOfAClosedWindowReadAsEmptyAndTakeNothing) {
  std::vector<int> seen;
  std::string text = "unset";
  rt::person::Script script;
  script.Look([] { rt::ListAddText(kList, "p"); });
  script.Close(kWindow);
  script.Look([&] {
    seen.push_back(rt::ControlExists(kList) ? 1 : 0);
    seen.push_back(rt::ListAddText(kList, "q"));
    seen.push_back(rt::ListCount(kList));
    seen.push_back(rt::ListSelection(kList));
    seen.push_back(rt::DropDownSelection(kChoice));
    text = rt::ListText(kList, 0);
    rt::ListRemoveAll(kList);
    rt::DropDownSetSelection(kChoice, 1);
  });
  script.Close(kOther);
  Run(std::move(script));
  EXPECT_THAT(seen, ElementsAre(0, -1, 0, -1, -1));
  EXPECT_EQ(text, "");
}

}  // namespace
