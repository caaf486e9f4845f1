// The scripted backend's one state record and the helpers its files share. Only files of this
// backend include it.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/person/performance.h"
#include "runtime/person/person.h"
#include "runtime/process.h"
#include "runtime/window_description.h"

namespace rt::scripted {

using person::UserAction;

struct Message {
  enum class Kind { User, Quit };
  Kind kind = Kind::User;
  UserAction action;  // User
  int exitCode = 0;   // Quit
};

struct LiveControl {
  const ControlDescription* description = nullptr;
  std::vector<std::string> items;  // list entries or drop-down items
  int selection = -1;
  std::string fileName;  // file dialog: the remembered file name
};

struct LiveWindow {
  int id = 0;
  const WindowDescription* description = nullptr;
  Point place;
  bool enabled = true;
  bool shown = false;
  std::vector<LiveControl> controls;
};

struct State {
  std::deque<Message> queue;
  std::vector<LiveWindow> windows;
  int lastWindowId = 0;
  bool loopEntered = false;
  ExitRoutine exitRoutine = nullptr;
  std::string programFolder;
  int themeScheme = 0;
};

State& TheState();

using person::ReportProblem;
using person::Write;

LiveWindow* FindWindow(const WindowDescription& window);
LiveControl* FindControl(ControlRef control, ControlKind kind);
void DestroyWindow(const WindowDescription& window);

// Waits as a modal loop does: takes the waiting messages one at a time and, when none waits,
// the person's next action, until `finished` says so. An answer to a dialog is offered to
// `takeAnswer` first, which tells whether it took it. Returns false when the wait had to stop
// without being finished: the quit stands first in the queue (it stays there for the main
// loop) or nothing can happen any more.
using AnswerTaker = std::function<bool(UserAction& answer)>;
bool WaitUntil(const std::function<bool()>& finished, const AnswerTaker& takeAnswer);

// Disables every window of the program but `except` and gives each its enabled state back when
// it goes away, as a modal window or dialog does.
class DisabledWindows {
 public:
  explicit DisabledWindows(const WindowDescription* except = nullptr);
  ~DisabledWindows();
  DisabledWindows(const DisabledWindows&) = delete;
  DisabledWindows& operator=(const DisabledWindows&) = delete;

 private:
  struct Saved {
    int windowId;
    bool enabled;
  };
  std::vector<Saved> saved_;
};

}  // namespace rt::scripted
