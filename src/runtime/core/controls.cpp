// The list box and the drop-down: the core keeps their entries and selection, and the native
// control shows them.
#include "runtime/controls.h"

#include "runtime/core/state.h"

namespace rt {
namespace {

using backend::ControlChange;
using core::FindControl;
using core::LiveControl;

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

void Select(ControlRef control, LiveControl& live, int position, bool scrollIntoView) {
  live.selection = position;
  core::ShowChange(control, {.kind = ControlChange::Kind::Select,
                             .position = position,
                             .scrollIntoView = scrollIntoView});
}

// Selects `position`, clamped to the entries there are.
void SetClampedSelection(ControlRef control, ControlKind kind, int position, bool scrollIntoView) {
  if (LiveControl* const live = FindControl(control, kind); live != nullptr) {
    Select(control, *live, Clamp(position, *live), scrollIntoView);
  }
}

int SelectionOf(ControlRef control, ControlKind kind) {
  const LiveControl* const live = FindControl(control, kind);
  return live == nullptr ? -1 : live->selection;
}

}  // namespace

bool ControlExists(ControlRef control) {
  const core::LiveWindow* const window =
      control.window == nullptr ? nullptr : core::FindWindow(*control.window);
  return window != nullptr && control.index < window->controls.size();
}

int ListAddText(ControlRef list, std::string_view text) {
  LiveControl* const live = FindControl(list, ControlKind::ListBox);
  if (live == nullptr) {
    return -1;
  }
  live->items.emplace_back(text);
  core::ShowChange(list, {.kind = ControlChange::Kind::Append, .text = text});
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
  SetClampedSelection(list, ControlKind::ListBox, position, /*scrollIntoView=*/true);
}

int ListSelection(ControlRef list) {
  return SelectionOf(list, ControlKind::ListBox);
}

void ListRemoveAt(ControlRef list, int position) {
  LiveControl* const live = FindControl(list, ControlKind::ListBox);
  if (live == nullptr || !Inside(position, *live)) {
    return;
  }
  live->items.erase(live->items.begin() + position);
  core::ShowChange(list, {.kind = ControlChange::Kind::Remove, .position = position});
  // The selection stays with its entry; the removed entry takes it along.
  int selection = live->selection;
  if (selection == position) {
    selection = -1;
  } else if (selection > position) {
    --selection;
  }
  Select(list, *live, selection, /*scrollIntoView=*/false);
}

void ListRemoveAll(ControlRef list) {
  if (LiveControl* const live = FindControl(list, ControlKind::ListBox); live != nullptr) {
    live->items.clear();
    live->selection = -1;
    core::ShowChange(list, {.kind = ControlChange::Kind::RemoveAll});
  }
}

void DropDownSetSelection(ControlRef dropDown, int position) {
  SetClampedSelection(dropDown, ControlKind::DropDown, position, /*scrollIntoView=*/false);
}

int DropDownSelection(ControlRef dropDown) {
  return SelectionOf(dropDown, ControlKind::DropDown);
}

void FileDialogSetKind(ControlRef dialog, FileDialogKind /*kind*/) {
  // Opening one existing file is the only kind there is.
  FindControl(dialog, ControlKind::FileDialog);
}

std::string FileDialogFileName(ControlRef dialog) {
  const LiveControl* const live = FindControl(dialog, ControlKind::FileDialog);
  return live == nullptr ? std::string() : live->fileName;
}

}  // namespace rt
