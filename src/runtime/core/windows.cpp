// The windows of the program, the message loop and modal loading.
#include <algorithm>

#include "runtime/core/seam.h"
#include "runtime/core/state.h"
#include "runtime/core/user_input.h"
#include "runtime/gui.h"

namespace rt::core {
namespace {

LiveWindow* FindSerial(int serial) {
  for (const auto& live : TheState().windows) {
    if (live->serial == serial) {
      return live.get();
    }
  }
  return nullptr;
}

LiveControl MakeControl(const ControlDescription& description) {
  LiveControl control{.description = &description};
  if (description.kind == ControlKind::DropDown) {
    control.items.assign(description.items.begin(), description.items.end());
    control.selection = description.initialSelection;
  }
  return control;
}

// Creates the window and its controls and runs its creation handler. False when the window
// cannot be created or is gone again once its handler has run.
bool CreateWindow(const WindowDescription& window) {
  State& state = TheState();
  const Point place = CentredPlace(seam::Screen(), window.outerSize);
  backend::NativeWindow* const native =
      seam::WindowCanBeCreated(window.name) ? backend::MakeWindow(window, place) : nullptr;
  if (native == nullptr) {
    Record(event::CannotCreate(window.name));
    return false;
  }
  auto live = std::make_unique<LiveWindow>();
  live->serial = ++state.lastSerial;
  live->description = &window;
  live->native = native;
  for (const ControlDescription& control : window.controls) {
    live->controls.push_back(MakeControl(control));
  }
  state.windows.push_back(std::move(live));
  Record(event::Create(window.name, place));
  if (window.onCreated != nullptr) {
    window.onCreated();
  }
  return FindWindow(window) != nullptr;
}

void Show(const WindowDescription& window) {
  backend::ShowNativeWindow(FindWindow(window)->native);
  Record(event::Show(window.name));
}

}  // namespace

State& TheState() {
  static State state;
  return state;
}

void Record(const Event& event) {
  seam::Record(event);
}

LiveWindow* FindWindow(const WindowDescription& window) {
  for (const auto& live : TheState().windows) {
    if (live->description == &window) {
      return live.get();
    }
  }
  return nullptr;
}

LiveControl* FindControl(ControlRef control, ControlKind kind) {
  LiveWindow* const window = control.window == nullptr ? nullptr : FindWindow(*control.window);
  if (window == nullptr || control.index >= window->controls.size()) {
    return nullptr;
  }
  LiveControl& live = window->controls[control.index];
  return live.description->kind == kind ? &live : nullptr;
}

void ShowChange(ControlRef control, const backend::ControlChange& change) {
  backend::ChangeControl(FindWindow(*control.window)->native, control.index, change);
}

void DestroyWindow(const WindowDescription& window) {
  State& state = TheState();
  const auto found = std::find_if(state.windows.begin(), state.windows.end(),
                                  [&](const auto& live) { return live->description == &window; });
  if (found == state.windows.end()) {
    return;
  }
  backend::NativeWindow* const native = (*found)->native;
  state.windows.erase(found);
  backend::DestroyNativeWindow(native);
  Record(event::Destroy(window.name));
  if (state.windows.empty() && state.loopEntered && !state.quitPosted) {
    state.quitPosted = true;
    Record(event::PostQuit(0));
  }
  backend::WakeWaits();
}

void DestroyEveryWindow() {
  State& state = TheState();
  while (!state.windows.empty()) {
    DestroyWindow(*state.windows.back()->description);
  }
}

Wait::Wait() : id_(++TheState().lastWait) {
  TheState().waits.push_back(id_);
  seam::ProgramWaits(id_);
}

Wait::~Wait() {
  std::erase(TheState().waits, id_);
}

int InnermostWait() {
  const State& state = TheState();
  return state.waits.empty() ? 0 : state.waits.back();
}

bool QuitPosted() {
  return TheState().quitPosted;
}

DisabledWindows::DisabledWindows(const WindowDescription* except) {
  for (const auto& live : TheState().windows) {
    if (backend::IsNativeWindowActive(live->native)) {
      activeSerial_ = live->serial;
    }
    if (live->description != except) {
      saved_.push_back({live->serial, live->enabled});
      live->enabled = false;
      backend::EnableNativeWindow(live->native, false);
    }
  }
}

DisabledWindows::~DisabledWindows() {
  for (const Saved& saved : saved_) {
    if (LiveWindow* const live = FindSerial(saved.serial); live != nullptr) {
      live->enabled = saved.enabled;
      backend::EnableNativeWindow(live->native, saved.enabled);
    }
  }
  if (const LiveWindow* const active = FindSerial(activeSerial_); active != nullptr) {
    backend::ShowNativeWindow(active->native);
  }
}

}  // namespace rt::core

namespace rt {

using core::Record;
using core::TheState;

bool SwitchThemedLook(int scheme) {
  const int shown = scheme >= 1 && scheme <= 3 ? scheme : 0;
  Record(event::Theme(shown));
  return backend::ApplyThemedLook(shown);
}

bool LoadWindow(const WindowDescription& window) {
  if (!core::CreateWindow(window)) {
    return false;
  }
  core::Show(window);
  return true;
}

void LoadWindowModal(const WindowDescription& window) {
  if (!core::CreateWindow(window)) {
    return;
  }
  const core::DisabledWindows others(&window);
  core::Show(window);
  const core::Wait wait;
  backend::WaitForEvents(
      [&] { return core::FindWindow(window) == nullptr || TheState().quitPosted; });
}

bool WindowExists(const WindowDescription& window) {
  return core::FindWindow(window) != nullptr;
}

void RunMessageLoop() {
  core::State& state = TheState();
  state.loopEntered = true;
  Record(event::LoopEntered());
  if (!state.windows.empty() && !state.quitPosted) {
    const core::Wait wait;
    backend::WaitForEvents([&] { return state.quitPosted; });
  }
  Record(event::LoopEnded());
}

void LetPendingMessagesRun() {
  seam::MessageStep();
  // The quit stays queued for the main loop: nothing more is dispatched once it is posted.
  if (!TheState().quitPosted) {
    backend::DispatchPending();
  }
}

}  // namespace rt
