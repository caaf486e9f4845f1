// The GUI runtime: themed look, windows, and the one message loop of the user-interface
// thread.
//
// The quit rule every backend keeps: when a window of the program is destroyed, none is left
// and the message loop has been entered, a quit with exit code 0 is posted. The runtime's own
// hidden windows do not count. Letting pending messages run never takes the quit; it stays
// queued until the main loop takes it, after the running handler has returned.
#pragma once

#include "runtime/window_description.h"

namespace rt {

// Scheme 1 (blue), 2 (olive green) or 3 (silver) draws the standard controls of every window
// of the thread, existing and future, in that themed look; any other number switches it off.
bool SwitchThemedLook(int scheme);

// Creates the window and its controls from `window`, runs its creation handler, then shows
// and activates it, and returns at once.
bool LoadWindow(const WindowDescription& window);

// Loads the window modally: creates it, runs its creation handler, disables every other window
// of the program, shows it and dispatches messages until it is closed; then gives each window
// it disabled its former enabled state back and returns.
void LoadWindowModal(const WindowDescription& window);

// True while a window built from `window` exists.
bool WindowExists(const WindowDescription& window);

// Dispatches the thread's messages until the quit is taken. Returns at once when no window of
// the program exists on entry.
void RunMessageLoop();

// Dispatches the messages that wait now, one after another, until the queue is empty or the
// next one is the quit. Returns at once when nothing waits.
void LetPendingMessagesRun();

}  // namespace rt
