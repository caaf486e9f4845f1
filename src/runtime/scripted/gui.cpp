// Windows, the message loop and modal windows of the scripted backend.
#include "runtime/gui.h"

#include <algorithm>
#include <string>
#include <utility>

#include "runtime/process.h"
#include "runtime/scripted/state.h"

namespace rt::scripted {
namespace {

void PostQuit(int exitCode) {
  TheState().queue.push_back({.kind = Message::Kind::Quit, .exitCode = exitCode});
  Write("post quit " + std::to_string(exitCode));
}

LiveControl MakeControl(const ControlDescription& description) {
  LiveControl control;
  control.description = &description;
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
  const std::string name(window.name);
  if (person::CurrentSetup().windowsThatCannotBeCreated.contains(name)) {
    Write("cannot create " + name);
    return false;
  }
  LiveWindow live;
  live.id = ++state.lastWindowId;
  live.description = &window;
  live.place = CentredPlace(person::CurrentSetup().screen, window.outerSize);
  for (const ControlDescription& control : window.controls) {
    live.controls.push_back(MakeControl(control));
  }
  state.windows.push_back(std::move(live));
  Write("create " + name + " at " + std::to_string(state.windows.back().place.left) + "," +
        std::to_string(state.windows.back().place.top));
  if (window.onCreated != nullptr) {
    window.onCreated();
  }
  return FindWindow(window) != nullptr;
}

void Show(const WindowDescription& window) {
  FindWindow(window)->shown = true;
  Write("show " + std::string(window.name));
}

}  // namespace

LiveWindow* FindWindow(const WindowDescription& window) {
  auto& windows = TheState().windows;
  const auto found = std::find_if(windows.begin(), windows.end(), [&](const LiveWindow& live) {
    return live.description == &window;
  });
  return found == windows.end() ? nullptr : &*found;
}

LiveControl* FindControl(ControlRef control, ControlKind kind) {
  return ControlOfKind(control.window == nullptr ? nullptr : FindWindow(*control.window), control,
                       kind);
}

void DestroyWindow(const WindowDescription& window) {
  State& state = TheState();
  std::erase_if(state.windows, [&](const LiveWindow& live) { return live.description == &window; });
  Write("destroy " + std::string(window.name));
  if (state.windows.empty() && state.loopEntered) {
    PostQuit(0);
  }
}

DisabledWindows::DisabledWindows(const WindowDescription* except) {
  for (LiveWindow& window : TheState().windows) {
    if (window.description != except) {
      saved_.push_back({window.id, window.enabled});
      window.enabled = false;
    }
  }
}

DisabledWindows::~DisabledWindows() {
  for (const Saved& saved : saved_) {
    for (LiveWindow& window : TheState().windows) {
      if (window.id == saved.windowId) {
        window.enabled = saved.enabled;
      }
    }
  }
}

}  // namespace rt::scripted

namespace rt {

using scripted::TheState;
using scripted::Write;

bool SwitchThemedLook(int scheme) {
  const bool themed = scheme >= 1 && scheme <= 3;
  TheState().themeScheme = themed ? scheme : 0;
  Write("theme " + std::to_string(themed ? scheme : 0));
  return true;
}

bool LoadWindow(const WindowDescription& window) {
  if (!scripted::CreateWindow(window)) {
    return false;
  }
  scripted::Show(window);
  return true;
}

void LoadWindowModal(const WindowDescription& window) {
  if (!scripted::CreateWindow(window)) {
    return;
  }
  const scripted::DisabledWindows others(&window);
  scripted::Show(window);
  scripted::WaitUntil([&] { return scripted::FindWindow(window) == nullptr; }, nullptr);
}

bool WindowExists(const WindowDescription& window) {
  return scripted::FindWindow(window) != nullptr;
}

void RunMessageLoop() {
  scripted::State& state = TheState();
  state.loopEntered = true;
  Write("loop entered");
  if (!state.windows.empty()) {
    scripted::WaitUntil([] { return false; }, nullptr);
  }
  // The wait stopped at the quit, which the loop takes now.
  if (!state.queue.empty() && state.queue.front().kind == scripted::Message::Kind::Quit) {
    state.queue.pop_front();
  }
  Write("loop ended");
}

}  // namespace rt
