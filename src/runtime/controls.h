// Operations on the controls of a window, addressed by ControlRef. A control whose window does
// not exist (never loaded, or closed meanwhile) takes no change and reads as empty: position
// -1, count 0, empty text.
#pragma once

#include <string>
#include <string_view>

#include "runtime/window_description.h"

namespace rt {

bool ControlExists(ControlRef control);

// List box.
// Appends `text` and returns its position, or -1 when nothing was added.
int ListAddText(ControlRef list, std::string_view text);
int ListCount(ControlRef list);
// The entry at `position`, or an empty text for a position outside the list.
std::string ListText(ControlRef list, int position);
// Selects and scrolls into view; above the last entry means the last, below -1 means -1.
void ListSetSelection(ControlRef list, int position);
int ListSelection(ControlRef list);  // -1: none
// Removes the entry; the ones below move up. Outside the list nothing happens. Removing the
// selected entry leaves none selected.
void ListRemoveAt(ControlRef list, int position);
void ListRemoveAll(ControlRef list);

// Drop-down list. Setting the selection clamps as the list box does and raises no event.
void DropDownSetSelection(ControlRef dropDown, int position);
int DropDownSelection(ControlRef dropDown);

// File dialog.
enum class FileDialogKind { OpenFile };
void FileDialogSetKind(ControlRef dialog, FileDialogKind kind);
// Shows the dialog modally over its window, opening with the remembered file name. True when
// the user confirmed an existing file, whose full path the file name then holds; false when the
// user cancelled, and the file name keeps its value.
bool FileDialogOpen(ControlRef dialog);
std::string FileDialogFileName(ControlRef dialog);

}  // namespace rt
