#include "batch/run_conversion.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "runtime/bytes.h"
#include "runtime/controls.h"
#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/gui.h"
#include "runtime/path.h"
#include "transcode/output_format.h"
#include "transcode/transcode_picture.h"
#include "ui/main_window.h"

namespace {

constexpr int kSaveFolderButton = 8;

std::string OutputName(std::int64_t number) {
  return AppState.saveFolder + rt::kPathSeparator + std::to_string(number) +
         AppState.outputExtension;
}

// Writes the converted picture under the first free number from `number` on. Messages run
// between the tries, so the save folder is read again for every name. Nothing is ever replaced:
// a name that another program takes at the last moment only sends the search on.
void WriteUnderFreeName(std::int64_t number, const rt::Bytes& picture) {
  for (bool firstTry = true;; firstTry = false, ++number) {
    if (!firstTry) {
      rt::LetPendingMessagesRun();
    }
    // An empty save folder would put the pictures into the root folder; they go nowhere then.
    if (AppState.saveFolder.empty()) {
      return;
    }
    const std::string name = OutputName(number);
    if (rt::FileExists(name)) {
      continue;
    }
    if (rt::WriteNewFile(name, picture) != rt::NewFileResult::NameTaken) {
      return;  // written, or failed and left nothing behind; either way the run goes on
    }
  }
}

}  // namespace

void RunConversion() {
  if (AppState.saveFolder.empty()) {
    rt::ShowMessage("请先选择图片保存目录.", "温馨提示!");
    OnToolbarClick(kSaveFolderButton);
  }

  const int entryCount = rt::ListCount(列表框1);
  rt::Bytes output;
  for (int number = 1; number <= entryCount; ++number) {
    // Read now, not at the start: entries may have been added, removed or cleared meanwhile.
    const rt::Bytes input = rt::ReadWholeFile(rt::ListText(列表框1, number - 1));
    // The code is read once for both the conversion and the extension; no messages run between.
    const std::int32_t code = AppState.formatCode;
    const bool converted = TranscodePicture(input, code, output);
    if (std::string_view extension; ExtensionOfCode(code, extension)) {
      AppState.outputExtension = extension;
    }
    // A failed conversion writes nothing: never the bytes of an earlier picture.
    if (converted) {
      WriteUnderFreeName(number, output);
    }
    rt::LetPendingMessagesRun();
    // The main window, and with it the list, may have been closed in the message step.
    if (!rt::ControlExists(列表框1)) {
      return;
    }
  }
  rt::ShowMessage("图片转换完毕!");
}
