// The list box, the drop-down and the file dialog of the Qt backend.
#include "runtime/controls.h"

#include <QComboBox>
#include <QFileDialog>
#include <QListWidget>
#include <memory>
#include <optional>
#include <utility>

#include "runtime/qt/person_driver.h"
#include "runtime/qt/state.h"

namespace rt {
namespace {

using qtbackend::FindControl;

constexpr int kEntryBytes = Qt::UserRole;

QListWidget* ListOf(ControlRef list) {
  qtbackend::LiveControl* const live = FindControl(list, ControlKind::ListBox);
  return live == nullptr ? nullptr : qobject_cast<QListWidget*>(live->widget);
}

QComboBox* DropDownOf(ControlRef dropDown) {
  qtbackend::LiveControl* const live = FindControl(dropDown, ControlKind::DropDown);
  return live == nullptr ? nullptr : qobject_cast<QComboBox*>(live->widget);
}

// Takes a position above the last item as the last, and one below -1 as -1.
int Clamp(int position, int count) {
  if (position > count - 1) {
    return count - 1;
  }
  return position < -1 ? -1 : position;
}

}  // namespace

bool ControlExists(ControlRef control) {
  const qtbackend::LiveWindow* const window =
      control.window == nullptr ? nullptr : qtbackend::FindWindow(*control.window);
  return window != nullptr && control.index < window->controls.size();
}

int ListAddText(ControlRef list, std::string_view text) {
  QListWidget* const widget = ListOf(list);
  if (widget == nullptr) {
    return -1;
  }
  // A path's bytes need not be valid UTF-8: the entry keeps them exactly, beside what it shows.
  auto item = std::make_unique<QListWidgetItem>(qtbackend::ToQString(text));
  item->setData(kEntryBytes, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  widget->addItem(item.release());  // the list takes the item over
  return widget->count() - 1;
}

int ListCount(ControlRef list) {
  const QListWidget* const widget = ListOf(list);
  return widget == nullptr ? 0 : widget->count();
}

std::string ListText(ControlRef list, int position) {
  const QListWidget* const widget = ListOf(list);
  const QListWidgetItem* const item = widget == nullptr ? nullptr : widget->item(position);
  return item == nullptr ? std::string() : item->data(kEntryBytes).toByteArray().toStdString();
}

void ListSetSelection(ControlRef list, int position) {
  QListWidget* const widget = ListOf(list);
  if (widget == nullptr) {
    return;
  }
  const int selected = Clamp(position, widget->count());
  if (selected < 0) {
    widget->clearSelection();
    widget->setCurrentRow(-1);
    return;
  }
  widget->setCurrentRow(selected);
  widget->scrollToItem(widget->item(selected));
}

int ListSelection(ControlRef list) {
  const QListWidget* const widget = ListOf(list);
  if (widget == nullptr) {
    return -1;
  }
  const QList<QListWidgetItem*> selected = widget->selectedItems();
  return selected.isEmpty() ? -1 : widget->row(selected.front());
}

void ListRemoveAt(ControlRef list, int position) {
  QListWidget* const widget = ListOf(list);
  if (widget == nullptr || position < 0 || position >= widget->count()) {
    return;
  }
  const bool wasSelected = ListSelection(list) == position;
  const std::unique_ptr<QListWidgetItem> removed(widget->takeItem(position));
  // Qt moves the selection to a neighbour; a removed entry takes its selection along instead.
  if (wasSelected) {
    widget->clearSelection();
    widget->setCurrentRow(-1);
  }
}

void ListRemoveAll(ControlRef list) {
  if (QListWidget* const widget = ListOf(list); widget != nullptr) {
    widget->clear();
  }
}

void DropDownSetSelection(ControlRef dropDown, int position) {
  if (QComboBox* const widget = DropDownOf(dropDown); widget != nullptr) {
    widget->setCurrentIndex(Clamp(position, widget->count()));
  }
}

int DropDownSelection(ControlRef dropDown) {
  const QComboBox* const widget = DropDownOf(dropDown);
  return widget == nullptr ? -1 : widget->currentIndex();
}

void FileDialogSetKind(ControlRef /*dialog*/, FileDialogKind /*kind*/) {
  // Opening one existing file is the only kind there is.
}

bool FileDialogOpen(ControlRef dialog) {
  const qtbackend::LiveControl* const opening = FindControl(dialog, ControlKind::FileDialog);
  if (opening == nullptr) {
    return false;
  }
  qtbackend::Journal("file dialog at \"" + opening->fileName + "\"");
  // No parent: the windows of the program are disabled while it is open, and a child would be
  // disabled with them.
  QFileDialog fileDialog;
  fileDialog.setWindowModality(Qt::ApplicationModal);
  QDialog& asDialog = fileDialog;
  fileDialog.setOption(QFileDialog::DontUseNativeDialog);
  fileDialog.setFileMode(QFileDialog::ExistingFile);
  fileDialog.setAcceptMode(QFileDialog::AcceptOpen);
  fileDialog.setNameFilter(qtbackend::ToQString(opening->description->fileTypeCaption) + " (*)");
  if (!opening->fileName.empty()) {
    fileDialog.selectFile(QString::fromLocal8Bit(opening->fileName.c_str()));
  }
  std::optional<std::string> answered;
  int result = QDialog::Rejected;
  {
    const qtbackend::DisabledWindows disabled;
    const qtbackend::PersonWait wait([&](person::UserAction& answer) {
      if (answer.kind == person::UserAction::Kind::ChooseFile) {
        answered = std::move(answer.text);
        asDialog.done(QDialog::Accepted);
      } else {
        if (answer.kind != person::UserAction::Kind::Cancel) {
          qtbackend::ReportProblem("the file dialog got another dialog's answer");
        }
        asDialog.done(QDialog::Rejected);
      }
      return true;
    });
    result = fileDialog.exec();
  }
  qtbackend::LiveControl* const live = FindControl(dialog, ControlKind::FileDialog);
  const QStringList chosenFiles = fileDialog.selectedFiles();
  if (result != QDialog::Accepted || live == nullptr || (!answered && chosenFiles.isEmpty())) {
    qtbackend::Journal("file dialog cancelled");
    return false;
  }
  live->fileName = answered ? *answered : qtbackend::ToLocalBytes(chosenFiles.front());
  qtbackend::Journal("file dialog chose " + live->fileName);
  return true;
}

std::string FileDialogFileName(ControlRef dialog) {
  const qtbackend::LiveControl* const live = FindControl(dialog, ControlKind::FileDialog);
  return live == nullptr ? std::string() : live->fileName;
}

}  // namespace rt
