// The message queue of the scripted backend and the person's actions that fill it.
#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "runtime/controls.h"
#include "runtime/scripted/state.h"

namespace rt::scripted {
namespace {

// The window of `control` when it exists and takes input; a disabled window ignores clicks.
bool TakesInput(ControlRef control) {
  const LiveWindow* const window =
      control.window == nullptr ? nullptr : FindWindow(*control.window);
  return window != nullptr && window->enabled;
}

void ClickToolbar(const UserAction& action) {
  const std::string line = "click " + std::to_string(action.position);
  const LiveControl* const toolbar = FindControl(action.control, ControlKind::Toolbar);
  if (toolbar == nullptr || !TakesInput(action.control)) {
    Write("ignored " + line);
    return;
  }
  const auto entries = toolbar->description->toolbarEntries;
  // Separators cannot be clicked.
  if (action.position < 0 || static_cast<std::size_t>(action.position) >= entries.size() ||
      entries[static_cast<std::size_t>(action.position)].separator) {
    Write("ignored " + line);
    return;
  }
  Write(line);
  if (toolbar->description->onToolbarClick != nullptr) {
    toolbar->description->onToolbarClick(action.position);
  }
}

void PickItem(const UserAction& action) {
  const std::string line = "pick " + std::to_string(action.position);
  LiveControl* const dropDown = FindControl(action.control, ControlKind::DropDown);
  if (dropDown == nullptr || !TakesInput(action.control) || action.position < 0 ||
      static_cast<std::size_t>(action.position) >= dropDown->items.size()) {
    Write("ignored " + line);
    return;
  }
  Write(line);
  // The handler reads the new selection: it is taken before the event is raised.
  dropDown->selection = action.position;
  if (dropDown->description->onItemPicked != nullptr) {
    dropDown->description->onItemPicked();
  }
}

void SelectRow(const UserAction& action) {
  LiveControl* const list = FindControl(action.control, ControlKind::ListBox);
  if (list == nullptr || !TakesInput(action.control) || action.position < 0 ||
      static_cast<std::size_t>(action.position) >= list->items.size()) {
    Write("ignored select " + std::to_string(action.position));
    return;
  }
  Write("select " + std::to_string(action.position));
  list->selection = action.position;
}

void Dispatch(const Message& message) {
  const UserAction& action = message.action;
  using Kind = UserAction::Kind;
  switch (action.kind) {
    case Kind::Idle:
      return;
    case Kind::Close: {
      const LiveWindow* const live = FindWindow(*action.window);
      if (live == nullptr || !live->enabled) {
        Write("ignored close " + std::string(action.window->name));
        return;
      }
      DestroyWindow(*action.window);
      return;
    }
    case Kind::Do:
    case Kind::Look:
      action.handler();
      return;
    case Kind::Fault:
      ShowFatalErrorAndExit(action.text);
    case Kind::Click:
      ClickToolbar(action);
      return;
    case Kind::Pick:
      PickItem(action);
      return;
    case Kind::SelectRow:
      SelectRow(action);
      return;
    case Kind::ChooseFile:
    case Kind::ChooseFolder:
    case Kind::Cancel:
    case Kind::CloseMessage:
      ReportProblem("an answer to a dialog came while no dialog was open");
      return;
  }
}

// Queues the person's next action. False when the script has ended. In a message step a
// dialog's answer waits for its dialog (nobody can press a button that is not there yet), and a
// look waits for the program to be done.
bool TakeNextAction(bool inMessageStep) {
  const std::optional<UserAction> action =
      inMessageStep ? person::NextInMessageStep() : person::NextWhileWaiting();
  if (action && action->kind != UserAction::Kind::Idle) {
    TheState().queue.push_back({.action = *action});
  }
  return action.has_value();
}

// A wait with nothing left to do would hang a real program; the test learns of it, and every
// window is destroyed so that the run comes to its end.
void EndTheWaitWithoutScript() {
  ReportProblem("the program waits for the user, but the script has ended");
  State& state = TheState();
  while (!state.windows.empty()) {
    DestroyWindow(*state.windows.back().description);
  }
}

}  // namespace

bool WaitUntil(const std::function<bool()>& finished, const AnswerTaker& takeAnswer) {
  State& state = TheState();
  while (!finished()) {
    if (state.queue.empty() && !TakeNextAction(/*inMessageStep=*/false)) {
      EndTheWaitWithoutScript();
      if (state.queue.empty()) {
        return false;
      }
    }
    if (state.queue.front().kind == Message::Kind::Quit) {
      return false;
    }
    Message message = std::move(state.queue.front());
    state.queue.pop_front();
    if (person::IsAnswer(message.action.kind) && takeAnswer && takeAnswer(message.action)) {
      continue;
    }
    Dispatch(message);
  }
  return true;
}

}  // namespace rt::scripted

namespace rt {

void LetPendingMessagesRun() {
  scripted::State& state = scripted::TheState();
  scripted::TakeNextAction(/*inMessageStep=*/true);
  while (!state.queue.empty() && state.queue.front().kind != scripted::Message::Kind::Quit) {
    scripted::Message message = std::move(state.queue.front());
    state.queue.pop_front();
    scripted::Dispatch(message);
  }
}

}  // namespace rt
