#include "ui/run_conversion.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/bytes.h"
#include "runtime/controls.h"
#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/gui.h"
#include "runtime/path.h"
#include "state/app_state.h"
#include "transcode/output_format.h"
#include "transcode/transcode_picture.h"
#include "ui/main_window.h"

namespace {

// Writes the converted picture into `folder` under the first free number from `number` on,
// with the extension of the entry's own format. Messages run between the tries; the folder and
// the extension are taken by value, so that every alternative keeps those of the first try,
// whatever the messages change. Nothing is ever replaced: a name that another program takes at
// the last moment only sends the search on.
// NOLINTNEXTLINE(performance-unnecessary-value-param): the copies are the point, see above
void WriteUnderFreeName(const std::string folder, std::int64_t number, const std::string extension,
                        const rt::Bytes& picture) {
  for (bool firstTry = true;; firstTry = false, ++number) {
    if (!firstTry) {
      rt::LetPendingMessagesRun();
    }
    std::string name = folder;
    name += rt::kPathSeparator;
    name += std::to_string(number);
    name += extension;
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
    OnToolbarClick(toolbar::kSaveFolder);  // exactly as a click on "保存目录"
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
    // A failed conversion writes nothing: never the bytes of an earlier picture. An empty save
    // folder would put the pictures into the root folder; they go nowhere then.
    if (converted && !AppState.saveFolder.empty()) {
      WriteUnderFreeName(AppState.saveFolder, number, AppState.outputExtension, output);
    }
    rt::LetPendingMessagesRun();
    // The main window, and with it the list, may have been closed in the message step.
    if (!rt::ControlExists(列表框1)) {
      return;
    }
  }
  rt::ShowMessage("图片转换完毕!");
}
