// The toolbar's click handler: the command of the clicked entry, from the toolbar's table.
#include <cstddef>

#include "ui/main_window.h"

void OnToolbarClick(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= toolbar::kEntries.size()) {
    return;
  }
  if (const rt::Handler command = toolbar::kEntries[static_cast<std::size_t>(index)].command;
      command != nullptr) {
    command();
  }
}
