// The folder chooser and the message box of the scripted backend.
#include "runtime/dialogs.h"

#include <string>
#include <utility>

#include "runtime/posix/program_path.h"
#include "runtime/scripted/state.h"

namespace rt {

std::string ChooseFolder(std::string_view prompt) {
  scripted::Write("folder chooser " + std::string(prompt));
  std::string chosen;
  bool answered = false;
  const scripted::DisabledWindows disabled;
  scripted::WaitUntil([&] { return answered; },
                      [&](scripted::UserAction& answer) {
                        answered = true;
                        if (answer.kind == scripted::UserAction::Kind::ChooseFolder) {
                          chosen = posix::ChosenFolderText(std::move(answer.text));
                        } else if (answer.kind != scripted::UserAction::Kind::Cancel) {
                          scripted::ReportProblem("the folder chooser got another dialog's answer");
                        }
                        return true;
                      });
  scripted::Write("folder chooser gave \"" + chosen + "\"");
  return chosen;
}

void ShowMessage(std::string_view text, std::optional<std::string_view> title) {
  person::RecordMessage(std::string(title.value_or(kDefaultMessageTitle)), std::string(text));
  bool closed = false;
  const scripted::DisabledWindows disabled;
  scripted::WaitUntil([&] { return closed; },
                      [&](scripted::UserAction& answer) {
                        closed = true;
                        if (answer.kind != scripted::UserAction::Kind::CloseMessage) {
                          scripted::ReportProblem("the message box got another dialog's answer");
                        }
                        return true;
                      });
}

}  // namespace rt
