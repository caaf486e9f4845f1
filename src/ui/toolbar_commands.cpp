// The toolbar's click handler: one command per button, found by the button's index.
#include <array>

#include "batch/run_conversion.h"
#include "ui/main_window.h"
#include "ui/picture_list_commands.h"
#include "ui/settings_window.h"
#include "ui/shell_run.h"

namespace {

struct ToolbarCommand {
  int index;
  void (*command)();
};

// Indexes 0, 5 and 9 are separators and have no command.
constexpr std::array<ToolbarCommand, 8> kCommands{{
    {1, AddPicture},
    {2, ImportFolder},
    {3, RemovePicture},
    {4, ClearPictures},
    {6, RunConversion},
    {7, OpenSettings},
    {8, ChooseSaveFolder},
    {10, OpenHomePage},
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
