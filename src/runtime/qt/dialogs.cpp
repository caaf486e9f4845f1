// The folder chooser and the message box of the Qt backend.
#include "runtime/dialogs.h"

#include <QDialog>
#include <QMessageBox>
#include <string>
#include <utility>

#include "runtime/qt/folder_chooser.h"
#include "runtime/qt/person_driver.h"
#include "runtime/qt/state.h"

namespace rt {

std::string ChooseFolder(std::string_view prompt) {
  qtbackend::Journal("folder chooser " + std::string(prompt));
  qtbackend::FolderChooser chooser(qtbackend::ToQString(prompt));
  std::string chosen;
  {
    const qtbackend::DisabledWindows disabled;
    const qtbackend::PersonWait wait([&](person::UserAction& answer) {
      if (answer.kind == person::UserAction::Kind::ChooseFolder) {
        chooser.Choose(QString::fromLocal8Bit(answer.text.c_str()));
      } else {
        if (answer.kind != person::UserAction::Kind::Cancel) {
          qtbackend::ReportProblem("the folder chooser got another dialog's answer");
        }
        chooser.reject();
      }
      return true;
    });
    if (chooser.exec() == QDialog::Accepted) {
      chosen = qtbackend::ToLocalBytes(chooser.ChosenFolder());
    }
  }
  qtbackend::Journal("folder chooser gave \"" + chosen + "\"");
  return chosen;
}

void ShowMessage(std::string_view text, std::optional<std::string_view> title) {
  std::string shownTitle(title.value_or(kDefaultMessageTitle));
  QMessageBox box(QMessageBox::NoIcon, qtbackend::ToQString(shownTitle), qtbackend::ToQString(text),
                  QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  person::RecordMessage(std::move(shownTitle), std::string(text));
  const qtbackend::DisabledWindows disabled;
  const qtbackend::PersonWait wait([&](person::UserAction& answer) {
    if (answer.kind != person::UserAction::Kind::CloseMessage) {
      qtbackend::ReportProblem("the message box got another dialog's answer");
    }
    box.done(QMessageBox::Ok);
    return true;
  });
  box.exec();
}

}  // namespace rt
