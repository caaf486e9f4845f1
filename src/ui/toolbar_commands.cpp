// The toolbar's click handler: one command per button, found by the button's index.
#include <array>

#include "ui/main_window.h"
#include "ui/picture_list_commands.h"
#include "ui/run_conversion.h"
#include "ui/settings_window.h"
#include "ui/shell_run.h"

namespace {

struct ToolbarCommand {
  int index;
  void (*command)();
};

constexpr std::array<ToolbarCommand, 8> kCommands{{
    {toolbar::kAddPicture, AddPicture},
    {toolbar::kImportFolder, ImportFolder},
    {toolbar::kRemovePicture, RemovePicture},
    {toolbar::kClearPictures, ClearPictures},
    {toolbar::kStartConversion, RunConversion},
    {toolbar::kSettings, OpenSettings},
    {toolbar::kSaveFolder, ChooseSaveFolder},
    {toolbar::kHomePage, OpenHomePage},
}};

}  // namespace

void OnToolbarClick(int index) {
  for (const ToolbarCommand& entry : kCommands) {
    if (entry.index == index) {
      entry.command();
      return;
    }
  }
}
