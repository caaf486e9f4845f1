// The toolbar's dispatch by index and the shell launcher behind the home-page button.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/person/person.h"
#include "support/events.h"
#include "support/scenario.h"
#include "ui/main_window.h"
#include "ui/shell_run.h"

namespace {

namespace ev = rt::event;

using rt::person::ShellCall;
using ::testing::ElementsAre;
using testing_support::ScenarioTest;

class ToolbarTest : public ScenarioTest {};

TEST_F(ToolbarTest, IndexesWithoutACommandDoNothing) {
  std::size_t journalBefore = 0;
  std::size_t journalAfter = 0;
  script.Do([&] {
    journalBefore = rt::person::Journal().size();
    for (const int index : {0, 5, 9, 11, -1}) {
      OnToolbarClick(index);
    }
    journalAfter = rt::person::Journal().size();
  });
  // Separators cannot be clicked at all.
  script.Click(工具条1, 5).Click(工具条1, 0);

  EXPECT_EQ(Run(), 0);

  EXPECT_EQ(journalAfter, journalBefore);
  EXPECT_THAT(rt::person::Journal(), ::testing::Contains(ev::IgnoredClick(5)));
  EXPECT_TRUE(rt::person::Messages().empty());
}

TEST_F(ToolbarTest, HomePageButtonOpensTheHomePageThroughTheShell) {
  script.Click(工具条1, toolbar::kHomePage);
  EXPECT_EQ(Run(), 0);
  EXPECT_THAT(rt::person::ShellCalls(),
              ElementsAre(ShellCall{0, "open", "http://example.com/?vod_eredu", "", "", 1}));
  EXPECT_TRUE(rt::person::Messages().empty());
}

TEST_F(ToolbarTest, HomePageDuringARunLeavesTheRunGoingOn) {
  const std::string in = Folder("in");
  const std::string out = Folder("out");
  StoreSettings(out, 1);
  AddThroughFileDialog({Picture(in, "a.bmp", 2), Picture(in, "b.bmp", 3)});
  script.Click(工具条1, toolbar::kStartConversion)
      .Click(工具条1, toolbar::kHomePage)
      .CloseMessage();

  EXPECT_EQ(Run(), 0);

  EXPECT_EQ(rt::person::ShellCalls().size(), 1U);
  EXPECT_THAT(FileNames(out), ElementsAre("1.bmp", "2.bmp"));
}

TEST(ShellRun, OperationNumbersBecomeTheShellsOperationTexts) {
  struct Case {
    int operation;
    const char* text;
  };
  const Case cases[] = {{1, "edit"},  {2, "explore"}, {3, "find"},  {4, "open"},
                        {5, "print"}, {0, "open"},    {-1, "open"}, {6, "open"}};
  for (const Case& c : cases) {
    EXPECT_EQ(ShellOperationText(c.operation), c.text) << c.operation;
  }
}

}  // namespace
