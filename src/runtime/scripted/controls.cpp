// The controls of the scripted backend's windows.
#include "runtime/controls.h"

#include <optional>
#include <string>
#include <utility>

#include "runtime/scripted/state.h"

namespace rt {
namespace {

using scripted::FindControl;
using scripted::LiveControl;

// Takes a position above the last item as the last, and one below -1 as -1.
int Clamp(int position, const LiveControl& control) {
  const int last = static_cast<int>(control.items.size()) - 1;
  if (position > last) {
    return last;
  }
  return position < -1 ? -1 : position;
}

bool Inside(int position, const LiveControl& control) {
  return position >= 0 && static_cast<std::size_t>(position) < control.items.size();
}

}  // namespace

bool ControlExists(ControlRef control) {
  const scripted::LiveWindow* const window =
      control.window == nullptr ? nullptr : scripted::FindWindow(*control.window);
  return window != nullptr && control.index < window->controls.size();
}

int ListAddText(ControlRef list, std::string_view text) {
  LiveControl* const live = FindControl(list, ControlKind::ListBox);
  if (live == nullptr) {
    return -1;
  }
  live->items.emplace_back(text);
  return static_cast<int>(live->items.size()) - 1;
}

int ListCount(ControlRef list) {
  const LiveControl* const live = FindControl(list, ControlKind::ListBox);
  return live == nullptr ? 0 : static_cast<int>(live->items.size());
}

std::string ListText(ControlRef list, int position) {
  const LiveControl* const live = FindControl(list, ControlKind::ListBox);
  if (live == nullptr || !Inside(position, *live)) {
    return {};
  }
  return live->items[static_cast<std::size_t>(position)];
}

void ListSetSelection(ControlRef list, int position) {
  if (LiveControl* const live = FindControl(list, ControlKind::ListBox); live != nullptr) {
    live->selection = Clamp(position, *live);
  }
}

int ListSelection(ControlRef list) {
  const LiveControl* const live = FindControl(list, ControlKind::ListBox);
  return live == nullptr ? -1 : live->selection;
}

void ListRemoveAt(ControlRef list, int position) {
  LiveControl* const live = FindControl(list, ControlKind::ListBox);
  if (live == nullptr || !Inside(position, *live)) {
    return;
  }
  live->items.erase(live->items.begin() + position);
  // The selection stays with its entry; the removed entry takes it along.
  if (live->selection == position) {
    live->selection = -1;
  } else if (live->selection > position) {
    --live->selection;
  }
}

void ListRemoveAll(ControlRef list) {
  if (LiveControl* const live = FindControl(list, ControlKind::ListBox); live != nullptr) {
    live->items.clear();
    live->selection = -1;
  }
}

void DropDownSetSelection(ControlRef dropDown, int position) {
  if (LiveControl* const live = FindControl(dropDown, ControlKind::DropDown); live != nullptr) {
    live->selection = Clamp(position, *live);
  }
}

int DropDownSelection(ControlRef dropDown) {
  const LiveControl* const live = FindControl(dropDown, ControlKind::DropDown);
  return live == nullptr ? -1 : live->selection;
}

void FileDialogSetKind(ControlRef dialog, FileDialogKind /*kind*/) {
  // Opening one existing file is the only kind there is.
  FindControl(dialog, ControlKind::FileDialog);
}

bool FileDialogOpen(ControlRef dialog) {
  // Controls may move while messages run: the control is looked up again after the wait.
  const LiveControl* const opening = FindControl(dialog, ControlKind::FileDialog);
  if (opening == nullptr) {
    return false;
  }
  scripted::Write("file dialog at \"" + opening->fileName + "\"");
  std::optional<std::string> chosen;
  bool answered = false;
  {
    const scripted::DisabledWindows disabled;
    scripted::WaitUntil([&] { return answered; },
                        [&](scripted::UserAction& answer) {
                          answered = true;
                          if (answer.kind == scripted::UserAction::Kind::ChooseFile) {
                            chosen = std::move(answer.text);
                          } else if (answer.kind != scripted::UserAction::Kind::Cancel) {
                            scripted::ReportProblem("the file dialog got another dialog's answer");
                          }
                          return true;
                        });
  }
  // The dialog's window may be gone once the dialog has closed.
  LiveControl* const live = FindControl(dialog, ControlKind::FileDialog);
  if (!chosen || live == nullptr) {
    scripted::Write("file dialog cancelled");
    return false;
  }
  scripted::Write("file dialog chose " + *chosen);
  live->fileName = std::move(*chosen);
  return true;
}

std::string FileDialogFileName(ControlRef dialog) {
  const LiveControl* const live = FindControl(dialog, ControlKind::FileDialog);
  return live == nullptr ? std::string() : live->fileName;
}

}  // namespace rt
