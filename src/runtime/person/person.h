// The person at the screen, played by a script: what tests use to drive the program on any GUI
// backend. A test executable links this library in place of the desktop's user; it hooks into
// the runtime core through its one seam. The person acts whenever the program waits for or lets
// through messages:
// - at the message loop, a modal window or a dialog, when no message waits, the next action of
//   the script arrives; idle steps are skipped there, since the program is waiting anyway;
// - at each "let pending messages run" step exactly one action of the script arrives (an idle
//   step included) before the waiting messages are dispatched.
// So an action that the script puts after N - 1 idle steps arrives during the N-th message
// step of a handler. An answer to a dialog waits until a dialog is open, and the dialog takes
// it; a look waits until the program waits; clicks and closes on the windows a dialog disables are
// ignored, as a real disabled window ignores them. Everything runs on the calling thread, in a
// fixed order.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/event.h"
#include "runtime/window_description.h"

namespace rt::person {

struct UserAction {
  enum class Kind {
    Idle,
    Close,         // closes `window` (close button, Alt+F4 or Esc)
    Do,            // runs `handler`, standing for any other user input
    Look,          // runs `handler` once the program waits for the person
    Fault,         // the platform fails: the fatal error report follows
    Click,         // clicks entry `position` of the toolbar `control`
    Pick,          // picks item `position` of the drop-down `control`
    SelectRow,     // clicks row `position` of the list box `control`
    ChooseFile,    // confirms `text` in the file dialog
    ChooseFolder,  // confirms `text` in the folder chooser
    Cancel,        // cancels the file dialog or the folder chooser
    CloseMessage,  // presses OK in the message box
  };
  Kind kind = Kind::Idle;
  const WindowDescription* window = nullptr;
  ControlRef control;
  int position = 0;
  std::string text;
  std::function<void()> handler;
};

// What the person does, in order.
class Script {
 public:
  Script& Idle(int steps = 1);
  Script& Close(const WindowDescription& window);
  Script& Do(std::function<void()> handler);
  // Runs `handler` only when the program waits for the person (at the message loop, a modal
  // window or a dialog), never in a handler's message step: for looking at what a command did.
  Script& Look(std::function<void()> handler);
  Script& Fault(std::string fault);
  Script& Click(ControlRef toolbar, int index);
  Script& Pick(ControlRef dropDown, int position);
  Script& SelectRow(ControlRef list, int position);
  Script& ChooseFile(std::string path);
  Script& ChooseFolder(std::string path);
  Script& Cancel();
  Script& CloseMessage();

  const std::vector<UserAction>& Actions() const { return actions_; }

 private:
  Script& Add(UserAction action);
  std::vector<UserAction> actions_;
};

// How the next process run is set up.
struct Setup {
  std::string executablePath;  // the program's own path; empty: the test executable's
  Size screen{1024, 768};
  bool descriptionsReady = true;  // false: the runtime initialisation fails
  std::set<std::string, std::less<>> windowsThatCannotBeCreated;  // by window name
  Script script;
  // Sees every step the moment it is written to the journal.
  std::function<void(const Event& step)> observer;
  bool echoJournalToStderr = false;  // lets a test that ends the process read the journal
};

// Takes effect for the next rt::RunProcess.
void Prepare(Setup setup);

// What the runtime did during the last run, one event per step, for example event::Theme(1),
// event::Create("MainWindow", {273, 222}), event::Click(6), event::Destroy("MainWindow"),
// event::PostQuit(0), event::ExitRoutineRuns(); rt::Describe gives each as a line of text.
const std::vector<Event>& Journal();

// Adds a line of the test's own to the journal (an event::Note), so that order can be checked
// against it.
void Note(std::string_view line);

struct ShownMessage {
  std::string title;
  std::string text;
  friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};
const std::vector<ShownMessage>& Messages();

struct ShellCall {
  std::uintptr_t owner = 0;
  std::string operation, target, parameters, folder;
  int showState = 0;
  friend bool operator==(const ShellCall&, const ShellCall&) = default;
};
const std::vector<ShellCall>& ShellCalls();

// Empty when the script fitted the run; otherwise what went wrong first (the program waited
// for the person after the script had ended, or a dialog got an answer meant for another).
const std::string& ScriptProblem();

}  // namespace rt::person
