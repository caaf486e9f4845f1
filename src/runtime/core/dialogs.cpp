// The file dialog, the folder chooser and the message box: the core runs each as a modal
// dialog of the backend and routes the user's answers to the one that is open.
#include "runtime/dialogs.h"

#include <string>
#include <utility>

#include "runtime/controls.h"
#include "runtime/core/state.h"
#include "runtime/core/user_input.h"
#include "runtime/platform.h"

namespace rt::core {
namespace {

using backend::DialogKind;

// Runs the dialog modally over every window of the program.
backend::DialogResult RunModal(const backend::DialogRequest& request) {
  const OpenDialogScope open(request.kind);
  const DisabledWindows disabled;
  const Wait wait;
  return backend::RunDialog(request);
}

}  // namespace

OpenDialogScope::OpenDialogScope(DialogKind kind) {
  TheState().openDialogs.push_back(kind);
}

OpenDialogScope::~OpenDialogScope() {
  TheState().openDialogs.pop_back();
}

std::optional<DialogKind> OpenDialog() {
  const State& state = TheState();
  if (state.openDialogs.empty()) {
    return std::nullopt;
  }
  return state.openDialogs.back();
}

AnswerFit AnswerDialog(const DialogAnswer& answer) {
  const std::optional<DialogKind> open = OpenDialog();
  if (!open) {
    return AnswerFit::NoDialogOpen;
  }
  const bool cancelled = !answer.meantFor;
  const bool fits = cancelled ? *open != DialogKind::MessageBox : *answer.meantFor == *open;
  // A message box has one button, OK: any answer closes it.
  backend::CloseDialog(fits ? !cancelled : *open == DialogKind::MessageBox,
                       fits ? answer.text : std::string_view());
  return fits ? AnswerFit::Taken : AnswerFit::OtherDialog;
}

}  // namespace rt::core

namespace rt {

using core::Record;

bool FileDialogOpen(ControlRef dialog) {
  // Controls may move while messages run: the control is looked up again after the wait.
  const core::LiveControl* const opening = core::FindControl(dialog, ControlKind::FileDialog);
  if (opening == nullptr) {
    return false;
  }
  Record(event::FileDialogAt(opening->fileName));
  const std::string fileName = opening->fileName;
  const backend::DialogResult result =
      core::RunModal({.kind = backend::DialogKind::OpenFile,
                      .fileName = fileName,
                      .fileTypeCaption = opening->description->fileTypeCaption});
  // The dialog's window may be gone once the dialog has closed.
  core::LiveControl* const live = core::FindControl(dialog, ControlKind::FileDialog);
  if (!result.confirmed || live == nullptr) {
    Record(event::FileDialogCancelled());
    return false;
  }
  live->fileName = result.text;
  Record(event::FileDialogChose(live->fileName));
  return true;
}

std::string ChooseFolder(std::string_view prompt) {
  Record(event::FolderChooser(prompt));
  backend::DialogResult result =
      core::RunModal({.kind = backend::DialogKind::FolderChooser, .text = prompt});
  std::string chosen = result.confirmed ? ChosenFolderText(std::move(result.text)) : "";
  Record(event::FolderChooserGave(chosen));
  return chosen;
}

void ShowMessage(std::string_view text, std::optional<std::string_view> title) {
  const std::string_view shownTitle = title.value_or(kDefaultMessageTitle);
  Record(event::Message(shownTitle, text));
  core::RunModal({.kind = backend::DialogKind::MessageBox, .title = shownTitle, .text = text});
}

}  // namespace rt
