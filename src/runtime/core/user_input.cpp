// The user's input as the backends deliver it, and what the scripted user may ask of it.
#include "runtime/core/user_input.h"

#include "runtime/core/state.h"

namespace rt::core {
namespace {

bool Inside(int position, std::size_t count) {
  return position >= 0 && static_cast<std::size_t>(position) < count;
}

}  // namespace

bool TakesInput(const WindowDescription& window) {
  const LiveWindow* const live = FindWindow(window);
  return live != nullptr && live->enabled;
}

bool TakesInput(ControlRef control, ControlKind kind, int position) {
  const LiveControl* const live = FindControl(control, kind);
  if (live == nullptr || !TakesInput(*control.window)) {
    return false;
  }
  if (kind != ControlKind::Toolbar) {
    return Inside(position, live->items.size());
  }
  // Separators cannot be clicked.
  const auto entries = live->description->toolbarEntries;
  return Inside(position, entries.size()) && !entries[static_cast<std::size_t>(position)].separator;
}

backend::NativeWindow* NativeWindowOf(const WindowDescription& window) {
  const LiveWindow* const live = FindWindow(window);
  return live == nullptr ? nullptr : live->native;
}

void ToolbarClicked(ControlRef toolbar, int entry) {
  if (!TakesInput(toolbar, ControlKind::Toolbar, entry)) {
    return;
  }
  Record(event::Click(entry));
  const ToolbarClickHandler onClick =
      FindControl(toolbar, ControlKind::Toolbar)->description->onToolbarClick;
  if (onClick != nullptr) {
    onClick(entry);
  }
}

void ItemPicked(ControlRef dropDown, int item) {
  if (!TakesInput(dropDown, ControlKind::DropDown, item)) {
    return;
  }
  Record(event::Pick(item));
  LiveControl* const live = FindControl(dropDown, ControlKind::DropDown);
  // The handler reads the new selection: it is taken before the event is raised.
  live->selection = item;
  if (live->description->onItemPicked != nullptr) {
    live->description->onItemPicked();
  }
}

void RowSelected(ControlRef list, int row) {
  if (!TakesInput(list, ControlKind::ListBox, row)) {
    return;
  }
  Record(event::Select(row));
  FindControl(list, ControlKind::ListBox)->selection = row;
}

bool CloseRequested(const WindowDescription& window) {
  if (!TakesInput(window)) {
    return false;
  }
  DestroyWindow(window);
  return true;
}

}  // namespace rt::core
