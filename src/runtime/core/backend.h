// The primitives a GUI backend supplies: everything the runtime core needs from a toolkit, and
// nothing more. The core owns every rule of the windows contract (gui.h, controls.h,
// dialogs.h): the registry of live windows, creation handler before first show, the quit rule,
// modal loading with its disabling and re-enabling, the controls' state and their clamping and
// removal rules, the routing of dialog answers and the journal. A backend only makes, shows and
// destroys native things, mirrors the state the core hands it, runs dialogs and messages, and
// tells the core what the user did through the calls of core/user_input.h.
//
// To write a backend, define every function below in namespace rt::backend, and the struct
// NativeWindow with whatever a native window needs; link the backend instead of another one.
// Everything runs on the user-interface thread.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "runtime/window_description.h"

namespace rt::backend {

// A backend's own record of one window and its controls. The backend makes and frees it; the
// core holds the pointer from MakeWindow until it hands it to DestroyNativeWindow.
struct NativeWindow;

// Brings the toolkit up before the first window, once per run. False when no window can ever be
// shown, with `fault` saying why in words for the person (the core then reports it as fatal).
bool StartGui(std::string& fault);
// Lets go of the toolkit at the end of a run, after every window was destroyed.
void StopGui();

// Switches the themed look of every window, existing and future: scheme 1 to 3, or 0 for off.
bool ApplyThemedLook(int scheme);
// The size of the screen windows are centred on.
Size ScreenSize();

// Makes the window of `description` with all its controls, hidden, with its outer frame at
// `place`. Drop-downs hold their items and initial selection. Null when it cannot be made.
NativeWindow* MakeWindow(const WindowDescription& description, Point place);
// Hides and frees the window. It may be called from inside the window's own event handler, so
// the toolkit's object may outlive the call, but the window never raises an event again.
void DestroyNativeWindow(NativeWindow* window);
// Shows the window if hidden, and activates it.
void ShowNativeWindow(NativeWindow* window);
// A disabled window takes no input of the user at all.
void EnableNativeWindow(NativeWindow* window, bool enabled);
// True while the window is the active one.
bool IsNativeWindowActive(const NativeWindow* window);

// A change the core made to the state of a list box or drop-down. The backend shows it as it
// is, raising no event for it: the rules (clamping, what a removal does to the selection) are
// the core's.
struct ControlChange {
  enum class Kind {
    Append,     // adds `text` as the last entry
    Remove,     // removes the entry at `position`
    RemoveAll,  // empties the list
    Select,     // selects `position`, -1 for none
  };
  Kind kind = Kind::Select;
  int position = -1;
  std::string_view text;
  bool scrollIntoView = false;  // Select: the selected entry is scrolled into view
};
void ChangeControl(NativeWindow* window, std::size_t control, const ControlChange& change);

// A dialog run modally over the program. While it is open every program window is disabled (the
// core sees to that) and the dialog itself takes input; messages go on being dispatched.
enum class DialogKind { OpenFile, FolderChooser, MessageBox };
struct DialogRequest {
  DialogKind kind = DialogKind::MessageBox;
  std::string_view title;            // MessageBox
  std::string_view text;             // MessageBox: the message; FolderChooser: the prompt
  std::string_view fileName;         // OpenFile: the file name it opens with
  std::string_view fileTypeCaption;  // OpenFile: the caption of its one type, every file
};
struct DialogResult {
  bool confirmed = false;  // OK in the dialog; a message box is always confirmed
  std::string text;        // OpenFile: the full path; FolderChooser: the folder
};
// Runs the dialog and returns once it is closed.
DialogResult RunDialog(const DialogRequest& request);
// Closes the innermost open dialog as its buttons would: confirmed with `text` (the file or
// folder typed into it), or cancelled. The core calls it only while RunDialog runs.
void CloseDialog(bool confirm, std::string_view text);

// Shows the fatal error report over the program, if the toolkit is up; returns once it is read.
void ShowFatalReport(std::string_view fault);

// Dispatches the messages that wait now, without waiting for more.
void DispatchPending();
// Dispatches messages, waiting for each, until `finished` holds; the core asks again after each
// WakeWaits. Returns at once when `finished` holds on entry. May return before `finished` holds
// only when no message can ever come again.
void WaitForEvents(const std::function<bool()>& finished);
// Something that may end a wait happened: every WaitForEvents running asks `finished` again.
void WakeWaits();
// Runs `task` once, the next time the thread waits for a message in any loop: WaitForEvents, a
// dialog's own loop, or the toolkit's.
void PostIdleTask(std::function<void()> task);

// Plays one input of the user through the native window, as the toolkit would deliver it, so
// that it reaches the core through core/user_input.h. Only the scripted user calls this.
struct SimulatedInput {
  enum class Kind { Close, ToolbarClick, Pick, SelectRow };
  Kind kind = Kind::Close;
  std::size_t control = 0;
  int position = 0;
};
void SimulateInput(NativeWindow* window, const SimulatedInput& input);

}  // namespace rt::backend
