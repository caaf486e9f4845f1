// What the user does to the program's windows, as a backend delivers it to the core, and what
// the scripted user asks of the core to act as a person would. Each input is dropped when its
// window is gone or disabled, or its entry, item or row is not there.
#pragma once

#include <optional>
#include <string>

#include "runtime/core/backend.h"
#include "runtime/core/event.h"
#include "runtime/window_description.h"

namespace rt::core {

void ToolbarClicked(ControlRef toolbar, int entry);
// The user picked `item`, the one already selected included; the selection moves first.
void ItemPicked(ControlRef dropDown, int item);
void RowSelected(ControlRef list, int row);
// The close button, the system menu, Alt+F4 or Esc. True when the window was destroyed; false
// when it stays, as a disabled one does.
bool CloseRequested(const WindowDescription& window);

// For the scripted user.
// True when the window exists and takes input.
bool TakesInput(const WindowDescription& window);
// True when the control's window takes input and `position` names a clickable toolbar entry,
// an item of a drop-down or a row of a list.
bool TakesInput(ControlRef control, ControlKind kind, int position);
// The live window's native record; null when it does not exist.
backend::NativeWindow* NativeWindowOf(const WindowDescription& window);
// The innermost wait of the program for the user; 0 when it does not wait.
int InnermostWait();
bool QuitPosted();
// The kind of the innermost open dialog, if one is open.
std::optional<backend::DialogKind> OpenDialog();

// An answer to the open dialog: confirmed (`meantFor` says by which kind of dialog's button,
// with the file or folder in `text`), or cancelled when `meantFor` is empty.
struct DialogAnswer {
  std::optional<backend::DialogKind> meantFor;
  std::string text;
};
enum class AnswerFit { Taken, NoDialogOpen, OtherDialog };
// Closes the open dialog with `answer`. An answer meant for another kind of dialog closes it
// as its cancel button would (a message box has only OK) and says OtherDialog.
AnswerFit AnswerDialog(const DialogAnswer& answer);
// Destroys every window of the program, the last made first.
void DestroyEveryWindow();
// Adds a step to the journal.
void Record(const Event& event);

}  // namespace rt::core
