// What the program relies on from the dialogs: each takes the answer meant for it, and one meant
// for another kind of dialog closes it as its cancel button would and is reported.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <utility>

#include "runtime/controls.h"
#include "runtime/dialogs.h"
#include "runtime/gui.h"
#include "runtime/person/person.h"
#include "runtime/process.h"
#include "support/temp_folder.h"

namespace {

constexpr std::array<rt::ControlDescription, 1> kControls{{
    {.name = "dialog", .kind = rt::ControlKind::FileDialog, .visible = false},
}};
const rt::WindowDescription kWindow{
    .name = "Window", .outerSize = {200, 200}, .controls = kControls};
constexpr rt::ControlRef kDialog{&kWindow, 0};

// How the dialog of a case ended.
std::string given;

void OpenFileDialog() {
  const bool chosen = rt::FileDialogOpen(kDialog);
  given = (chosen ? "chose " : "cancelled ") + rt::FileDialogFileName(kDialog);
}

void ChooseFolder() {
  given = "folder \"" + rt::ChooseFolder("where?") + "\"";
}

void ShowMessage() {
  rt::ShowMessage("done");
  given = "closed";
}

struct Case {
  const char* name;
  void (*dialog)();
  std::function<void(rt::person::Script&)> answer;
  std::string given;
  std::string problem;
};

class DialogContract : public ::testing::Test {
 protected:
  // Runs the case's dialog as the person's first action, then the case's answer.
  void Run(const Case& c) {
    given.clear();
    rt::person::Setup setup;
    setup.executablePath = folder.File("program");
    setup.script.Do(c.dialog);
    c.answer(setup.script);
    setup.script.Close(kWindow);
    rt::person::Prepare(std::move(setup));
    rt::RunProcess([] {
      rt::LoadWindow(kWindow);
      rt::RunMessageLoop();
    });
  }

  testing_support::TempFolder folder;
  testing_support::WorkingFolderGuard workingFolderGuard;
};

TEST_F(DialogContract, EachDialogTakesItsOwnAnswerAndCancelsOnAnother) {
  const std::string there = folder.Path();
  const Case cases[] = {
      {"file chosen", OpenFileDialog, [&](auto& s) { s.ChooseFile(there + "/a.png"); },
       "chose " + there + "/a.png", ""},
      {"file dialog cancelled", OpenFileDialog, [](auto& s) { s.Cancel(); }, "cancelled ", ""},
      {"file dialog given a folder", OpenFileDialog, [&](auto& s) { s.ChooseFolder(there); },
       "cancelled ", "the file dialog got another dialog's answer"},
      {"folder chosen, separator dropped", ChooseFolder,
       [&](auto& s) { s.ChooseFolder(there + "/"); }, "folder \"" + there + "\"", ""},
      {"root folder keeps its separator", ChooseFolder, [](auto& s) { s.ChooseFolder("/"); },
       "folder \"/\"", ""},
      {"folder chooser cancelled", ChooseFolder, [](auto& s) { s.Cancel(); }, "folder \"\"", ""},
      {"folder chooser given a file", ChooseFolder, [&](auto& s) { s.ChooseFile(there); },
       "folder \"\"", "the folder chooser got another dialog's answer"},
      {"message closed", ShowMessage, [](auto& s) { s.CloseMessage(); }, "closed", ""},
      {"message given a cancel", ShowMessage, [](auto& s) { s.Cancel(); }, "closed",
       "the message box got another dialog's answer"},
      {"answer with no dialog open", [] {}, [](auto& s) { s.CloseMessage(); }, "",
       "an answer to a dialog came while no dialog was open"},
  };
  for (const Case& c : cases) {
    Run(c);
    EXPECT_EQ(given, c.given) << c.name;
    EXPECT_EQ(rt::person::ScriptProblem(), c.problem) << c.name;
  }
}

}  // namespace
