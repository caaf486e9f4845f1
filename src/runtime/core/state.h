// The core's one state record and the pieces its files share. Only files of the core include it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "runtime/core/backend.h"
#include "runtime/process.h"
#include "runtime/window_description.h"

namespace rt::core {

// A control's state: the core's copy is the one the program reads; the native control shows it.
struct LiveControl {
  const ControlDescription* description = nullptr;
  std::vector<std::string> items;  // list entries or drop-down items, as bytes
  int selection = -1;
  std::string fileName;  // file dialog: the remembered file name
};

struct LiveWindow {
  int serial = 0;  // tells a window apart from a later one of the same description
  const WindowDescription* description = nullptr;
  backend::NativeWindow* native = nullptr;
  bool enabled = true;
  std::vector<LiveControl> controls;
};

struct State {
  std::vector<std::unique_ptr<LiveWindow>> windows;  // in the order they were made
  int lastSerial = 0;
  bool loopEntered = false;
  bool quitPosted = false;
  std::vector<int> waits;  // the waits for the user, innermost last
  int lastWait = 0;
  std::vector<backend::DialogKind> openDialogs;  // innermost last
  ExitRoutine exitRoutine = nullptr;
  std::string programFolder;
};

State& TheState();

LiveWindow* FindWindow(const WindowDescription& window);
LiveControl* FindControl(ControlRef control, ControlKind kind);
// Takes the window out of the program and posts the quit when it was the last one.
void DestroyWindow(const WindowDescription& window);
// Shows `change` in the native control of `control`, whose window exists.
void ShowChange(ControlRef control, const backend::ControlChange& change);

// The program waits for the user while one of these lives.
class Wait {
 public:
  Wait();
  ~Wait();
  Wait(const Wait&) = delete;
  Wait& operator=(const Wait&) = delete;

 private:
  int id_;
};

// A dialog of this kind is open while one of these lives: every window of the program is
// disabled and the user's answers go to it.
class OpenDialogScope {
 public:
  explicit OpenDialogScope(backend::DialogKind kind);
  ~OpenDialogScope();
  OpenDialogScope(const OpenDialogScope&) = delete;
  OpenDialogScope& operator=(const OpenDialogScope&) = delete;
};

// Disables every window of the program but `except`, and gives each its former enabled state
// back when it goes away, as a modal window or dialog does; the window that was active is
// activated again.
class DisabledWindows {
 public:
  explicit DisabledWindows(const WindowDescription* except = nullptr);
  ~DisabledWindows();
  DisabledWindows(const DisabledWindows&) = delete;
  DisabledWindows& operator=(const DisabledWindows&) = delete;

 private:
  struct Saved {
    int serial;
    bool enabled;
  };
  std::vector<Saved> saved_;
  int activeSerial_ = 0;
};

}  // namespace rt::core
