#include "runtime/person/acting.h"

#include <optional>

#include "runtime/core/backend.h"
#include "runtime/core/user_input.h"
#include "runtime/person/performance.h"
#include "runtime/process.h"

namespace rt::person {
namespace {

using backend::DialogKind;
using backend::SimulatedInput;
using Kind = UserAction::Kind;

// Plays `input` on the control's window when it takes it there; otherwise notes `ignored`.
void Input(ControlRef control, ControlKind controlKind, SimulatedInput::Kind inputKind,
           int position, const Event& ignored) {
  if (!core::TakesInput(control, controlKind, position)) {
    Write(ignored);
    return;
  }
  backend::SimulateInput(core::NativeWindowOf(*control.window),
                         {.kind = inputKind, .control = control.index, .position = position});
}

void Perform(const UserAction& action) {
  switch (action.kind) {
    case Kind::Idle:
      return;
    case Kind::Close:
      if (!core::TakesInput(*action.window)) {
        Write(event::IgnoredClose(action.window->name));
        return;
      }
      backend::SimulateInput(core::NativeWindowOf(*action.window),
                             {.kind = SimulatedInput::Kind::Close});
      return;
    case Kind::Do:
    case Kind::Look:
      action.handler();
      return;
    case Kind::Fault:
      ShowFatalErrorAndExit(action.text);
    case Kind::Click:
      Input(action.control, ControlKind::Toolbar, SimulatedInput::Kind::ToolbarClick,
            action.position, event::IgnoredClick(action.position));
      return;
    case Kind::Pick:
      Input(action.control, ControlKind::DropDown, SimulatedInput::Kind::Pick, action.position,
            event::IgnoredPick(action.position));
      return;
    case Kind::SelectRow:
      Input(action.control, ControlKind::ListBox, SimulatedInput::Kind::SelectRow, action.position,
            event::IgnoredSelect(action.position));
      return;
    case Kind::ChooseFile:
    case Kind::ChooseFolder:
    case Kind::Cancel:
    case Kind::CloseMessage:
      ReportProblem("an answer to a dialog came while no dialog was open");
      return;
  }
}

const char* NameOf(DialogKind kind) {
  switch (kind) {
    case DialogKind::OpenFile:
      return "file dialog";
    case DialogKind::FolderChooser:
      return "folder chooser";
    case DialogKind::MessageBox:
      return "message box";
  }
  return "dialog";
}

void Answer(const UserAction& action) {
  core::DialogAnswer answer;
  if (action.kind == Kind::ChooseFile) {
    answer = {DialogKind::OpenFile, action.text};
  } else if (action.kind == Kind::ChooseFolder) {
    answer = {DialogKind::FolderChooser, action.text};
  } else if (action.kind == Kind::CloseMessage) {
    answer = {DialogKind::MessageBox, {}};
  }
  const std::optional<DialogKind> open = core::OpenDialog();
  switch (core::AnswerDialog(answer)) {
    case core::AnswerFit::Taken:
      return;
    case core::AnswerFit::NoDialogOpen:
      ReportProblem("an answer to a dialog came while no dialog was open");
      return;
    case core::AnswerFit::OtherDialog:
      ReportProblem(std::string("the ") + NameOf(*open) + " got another dialog's answer");
      return;
  }
}

// A wait with nothing left to do would hang a real program: the test learns of it, the open
// dialog is cancelled and every window destroyed, so that the run comes to its end.
void EndTheWaitWithoutScript() {
  ReportProblem("the program waits for the user, but the script has ended");
  core::AnswerDialog({});
  core::DestroyEveryWindow();
}

void ActWhileWaiting(int wait) {
  if (core::InnermostWait() != wait) {
    return;  // that wait has ended, or an inner one is open and acts itself
  }
  // Nothing is dispatched behind the quit; a dialog still open is given up.
  if (core::QuitPosted()) {
    core::AnswerDialog({});
    return;
  }
  const std::optional<UserAction> action = NextWhileWaiting();
  if (!action) {
    EndTheWaitWithoutScript();
    return;
  }
  if (IsAnswer(action->kind)) {
    Answer(*action);
  } else {
    Perform(*action);
  }
  ActWhenIdle(wait);
}

}  // namespace

void ActWhenIdle(int wait) {
  if (core::InnermostWait() == wait) {
    backend::PostIdleTask([wait] { ActWhileWaiting(wait); });
  }
}

void ActInMessageStep() {
  const std::optional<UserAction> action = NextInMessageStep();
  // An action behind the quit is never dispatched.
  if (action && !core::QuitPosted()) {
    Perform(*action);
  }
}

}  // namespace rt::person
