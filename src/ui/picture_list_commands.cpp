#include "ui/picture_list_commands.h"

#include <string>

#include "runtime/controls.h"
#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/gui.h"
#include "runtime/path.h"
#include "state/app_state.h"
#include "state/config_file.h"
#include "ui/main_window.h"

namespace {

// Closes the import's file search however the import ends.
class OpenSearch {
 public:
  OpenSearch() = default;
  ~OpenSearch() { rt::FileSearchClose(search_); }
  OpenSearch(const OpenSearch&) = delete;
  OpenSearch& operator=(const OpenSearch&) = delete;

  std::string First(const std::string& pattern) { return rt::FileSearchFirst(pattern, search_); }
  std::string Next() { return rt::FileSearchNext(search_); }

 private:
  rt::FileSearch search_ = nullptr;
};

}  // namespace

void AddPicture() {
  rt::FileDialogSetKind(通用对话框1, rt::FileDialogKind::OpenFile);
  if (!rt::FileDialogOpen(通用对话框1)) {
    return;
  }
  const int position = rt::ListAddText(列表框1, rt::FileDialogFileName(通用对话框1));
  rt::ListSetSelection(列表框1, position);
}

void ImportFolder() {
  const std::string folder = rt::ChooseFolder("请选择图片目录:");
  if (folder.empty()) {
    return;
  }
  // The separator goes in even after the root folder, which already ends in one.
  const std::string prefix = folder + rt::kPathSeparator;
  OpenSearch search;
  std::string name = search.First(prefix + "*.*");
  while (!name.empty()) {
    // Every command can run inside the message step below, closing the main window too:
    // once the list is gone there is nothing left to add to.
    if (!rt::ControlExists(列表框1)) {
      return;
    }
    const int position = rt::ListAddText(列表框1, prefix + name);
    rt::ListSetSelection(列表框1, position);
    name = search.Next();
    rt::LetPendingMessagesRun();
  }
}

void RemovePicture() {
  rt::ListRemoveAt(列表框1, rt::ListSelection(列表框1));
}

void ClearPictures() {
  rt::ListRemoveAll(列表框1);
}

void ChooseSaveFolder() {
  // A cancelled chooser empties the save folder too, so the next run asks for one first.
  std::string folder = rt::ChooseFolder("请选择图片保存目录:");
  AppState.saveFolder.swap(folder);
  StoreSaveFolder(AppState.saveFolder);
}
