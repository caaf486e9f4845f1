// The settings window: what it shows when it opens, and what a pick stores.
#include "ui/settings_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/controls.h"
#include "runtime/person/person.h"
#include "state/app_state.h"
#include "support/events.h"
#include "support/scenario.h"
#include "ui/main_window.h"

namespace {

namespace ev = rt::event;

using ::testing::Contains;
using ::testing::ElementsAre;
using testing_support::Exists;
using testing_support::ScenarioTest;

struct Seen {
  int selection;
  int formatCode;
  friend bool operator==(const Seen&, const Seen&) = default;
};

class SettingsWindowTest : public ScenarioTest {
 protected:
  // Looks at the drop-down and the format code while the settings window is open.
  void LookAtSettings() {
    script.Look([this] { seen.push_back({rt::DropDownSelection(组合框1), AppState.formatCode}); });
  }
  std::vector<Seen> seen;
};

TEST_F(SettingsWindowTest, OpensAtTheCurrentCodeAndKeepsACodeAboveTheTable) {
  struct Case {
    int storedCode;
    Seen expected;
  };
  const Case cases[] = {{3, {2, 3}}, {1, {0, 1}}, {5, {4, 5}}, {9, {4, 9}}};
  for (const Case& c : cases) {
    AppState = AppStateRecord{};
    seen.clear();
    script = {};
    StoreSettings("", c.storedCode);
    script.Click(工具条1, toolbar::kSettings);
    LookAtSettings();
    script.Close(SettingsWindow);

    EXPECT_EQ(Run(), 0);

    EXPECT_THAT(seen, ElementsAre(c.expected)) << c.storedCode;
    EXPECT_EQ(StoredFormatCode(), std::to_string(c.storedCode));
  }
}

TEST_F(SettingsWindowTest, EachPickTakesEffectAndIsStoredAtOnce) {
  std::vector<std::string> stored;
  script.Click(工具条1, toolbar::kSettings);
  for (const int position : {3, 0, 1, 2, 4, 4}) {
    script.Pick(组合框1, position);
    script.Look([&] { stored.push_back(StoredFormatCode()); });
  }
  LookAtSettings();
  script.Close(SettingsWindow);
  // The second opening shows the code picked last.
  script.Click(工具条1, toolbar::kSettings);
  LookAtSettings();
  script.Close(SettingsWindow);

  EXPECT_EQ(Run(), 0);

  EXPECT_THAT(stored, ElementsAre("4", "1", "2", "3", "5", "5"));
  EXPECT_THAT(seen, ElementsAre(Seen{4, 5}, Seen{4, 5}));
  // Picking the item already selected raised the event again.
  EXPECT_EQ(std::count(rt::person::Journal().begin(), rt::person::Journal().end(), ev::Pick(4)), 2);
}

TEST_F(SettingsWindowTest, ClosingWithEscWritesNothing) {
  script.Click(工具条1, toolbar::kSettings).Close(SettingsWindow);
  EXPECT_EQ(Run(), 0);
  EXPECT_FALSE(Exists(ConfigPath()));
  EXPECT_EQ(AppState.formatCode, 3);
}

TEST_F(SettingsWindowTest, MainWindowTakesNoClicksWhileTheSettingsWindowIsOpen) {
  script.Click(工具条1, toolbar::kSettings)
      .Click(工具条1, toolbar::kAddPicture)
      .Click(工具条1, toolbar::kSettings);
  script.Close(MainWindow).Close(SettingsWindow);
  // Afterwards the main window takes clicks again.
  script.Click(工具条1, toolbar::kAddPicture).Cancel();

  EXPECT_EQ(Run(), 0);

  const std::vector<rt::Event>& journal = rt::person::Journal();
  EXPECT_THAT(journal, Contains(ev::IgnoredClick(1)));
  EXPECT_THAT(journal, Contains(ev::IgnoredClick(7)));
  EXPECT_THAT(journal, Contains(ev::IgnoredClose("MainWindow")));
  EXPECT_EQ(std::count(journal.begin(), journal.end(), ev::Create("SettingsWindow", {432, 352})),
            1);
  EXPECT_EQ(std::count(journal.begin(), journal.end(), ev::IgnoredClick(1)), 1);
  EXPECT_EQ(std::count(journal.begin(), journal.end(), ev::Click(1)), 1);
  EXPECT_EQ(std::count(journal.begin(), journal.end(), ev::FileDialogAt("")), 1);
}

}  // namespace
