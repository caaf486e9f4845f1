// The file dialog, the folder chooser, the message box and the fatal report of the Qt backend.
#include <QFileDialog>
#include <QMessageBox>
#include <optional>
#include <string>
#include <utility>

#include "runtime/qt/folder_chooser.h"
#include "runtime/qt/state.h"

namespace rt::qtbackend {
namespace {

using backend::DialogRequest;
using backend::DialogResult;

// Runs `dialog` modally; while it is open, CloseDialog reaches it through `closer`.
int Execute(QDialog& dialog, DialogCloser closer) {
  auto& dialogs = TheState().dialogs;
  dialogs.push_back(std::move(closer));
  const int result = dialog.exec();
  dialogs.pop_back();
  return result;
}

DialogResult OpenFile(const DialogRequest& request) {
  // No parent: the windows of the program are disabled while it is open, and a child would be
  // disabled with them.
  QFileDialog fileDialog;
  fileDialog.setWindowModality(Qt::ApplicationModal);
  fileDialog.setOption(QFileDialog::DontUseNativeDialog);
  fileDialog.setFileMode(QFileDialog::ExistingFile);
  fileDialog.setAcceptMode(QFileDialog::AcceptOpen);
  fileDialog.setNameFilter(ToQString(request.fileTypeCaption) + " (*)");
  if (!request.fileName.empty()) {
    fileDialog.selectFile(QString::fromLocal8Bit(std::string(request.fileName).c_str()));
  }
  QDialog& asDialog = fileDialog;
  // A file named by the scripted user is taken as it is, even one the dialog would not show.
  std::optional<std::string> named;
  const int result = Execute(fileDialog, [&](bool confirm, std::string_view text) {
    if (confirm) {
      named = std::string(text);
    }
    asDialog.done(confirm ? QDialog::Accepted : QDialog::Rejected);
  });
  const QStringList chosenFiles = fileDialog.selectedFiles();
  if (result != QDialog::Accepted || (!named && chosenFiles.isEmpty())) {
    return {};
  }
  return {true, named ? *named : ToLocalBytes(chosenFiles.front())};
}

DialogResult ChooseFolder(const DialogRequest& request) {
  FolderChooser chooser(ToQString(request.text));
  const int result = Execute(chooser, [&](bool confirm, std::string_view text) {
    if (confirm) {
      chooser.Choose(QString::fromLocal8Bit(std::string(text).c_str()));
    } else {
      chooser.reject();
    }
  });
  if (result != QDialog::Accepted) {
    return {};
  }
  return {true, ToLocalBytes(chooser.ChosenFolder())};
}

DialogResult ShowMessage(const DialogRequest& request) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(request.title), ToQString(request.text),
                  QMessageBox::Ok);
  box.setWindowModality(Qt::ApplicationModal);
  Execute(box, [&](bool /*confirm*/, std::string_view /*text*/) { box.done(QMessageBox::Ok); });
  return {.confirmed = true};
}

}  // namespace
}  // namespace rt::qtbackend

namespace rt::backend {

DialogResult RunDialog(const DialogRequest& request) {
  switch (request.kind) {
    case DialogKind::OpenFile:
      return qtbackend::OpenFile(request);
    case DialogKind::FolderChooser:
      return qtbackend::ChooseFolder(request);
    case DialogKind::MessageBox:
      return qtbackend::ShowMessage(request);
  }
  return {};
}

void CloseDialog(bool confirm, std::string_view text) {
  auto& dialogs = qtbackend::TheState().dialogs;
  if (!dialogs.empty()) {
    dialogs.back()(confirm, text);
  }
}

void ShowFatalReport(std::string_view fault) {
  if (qtbackend::TheState().application != nullptr) {
    QMessageBox::critical(nullptr, "picbatch", qtbackend::ToQString(fault));
  }
}

}  // namespace rt::backend
