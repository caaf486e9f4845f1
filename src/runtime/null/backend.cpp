// The null backend: windows that exist only as records, and a thread whose only messages are
// the tasks posted to run when it waits. It raises the user's input through the same core
// calls as a real backend, so the program cannot tell that it runs here; the scenario tests run
// the whole program on it, on every platform.
#include "runtime/core/backend.h"

#include <deque>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "runtime/core/user_input.h"

namespace rt::backend {

struct NativeWindow {
  const WindowDescription* description = nullptr;
};

namespace {

struct OpenDialogAnswer {
  std::optional<DialogResult> answer;  // none until a button was pressed
};

struct State {
  std::vector<std::unique_ptr<NativeWindow>> windows;
  std::deque<std::function<void()>> idleTasks;
  std::vector<OpenDialogAnswer*> dialogs;  // innermost last
};

State& TheState() {
  static State state;
  return state;
}

// Waiting on this thread means running the next idle task: nothing else can ever come. False
// when none is left.
bool RunIdleTask() {
  State& state = TheState();
  if (state.idleTasks.empty()) {
    return false;
  }
  const std::function<void()> task = std::move(state.idleTasks.front());
  state.idleTasks.pop_front();
  task();
  return true;
}

}  // namespace

bool StartGui(std::string& /*fault*/) {
  TheState() = State{};
  return true;
}

void StopGui() {
  TheState() = State{};
}

bool ApplyThemedLook(int /*scheme*/) {
  return true;
}

Size ScreenSize() {
  return {1024, 768};
}

NativeWindow* MakeWindow(const WindowDescription& description, Point /*place*/) {
  auto& windows = TheState().windows;
  windows.push_back(std::make_unique<NativeWindow>(NativeWindow{&description}));
  return windows.back().get();
}

void DestroyNativeWindow(NativeWindow* window) {
  std::erase_if(TheState().windows, [&](const auto& made) { return made.get() == window; });
}

void ShowNativeWindow(NativeWindow* /*window*/) {}

void EnableNativeWindow(NativeWindow* /*window*/, bool /*enabled*/) {}

bool IsNativeWindowActive(const NativeWindow* /*window*/) {
  return false;
}

void ChangeControl(NativeWindow* /*window*/, std::size_t /*control*/,
                   const ControlChange& /*change*/) {}

DialogResult RunDialog(const DialogRequest& /*request*/) {
  OpenDialogAnswer dialog;
  State& state = TheState();
  state.dialogs.push_back(&dialog);
  while (!dialog.answer && RunIdleTask()) {
  }
  std::erase(state.dialogs, &dialog);
  return dialog.answer.value_or(DialogResult{});
}

void CloseDialog(bool confirm, std::string_view text) {
  if (!TheState().dialogs.empty()) {
    TheState().dialogs.back()->answer = DialogResult{confirm, std::string(text)};
  }
}

void ShowFatalReport(std::string_view /*fault*/) {}

void DispatchPending() {}

void WaitForEvents(const std::function<bool()>& finished) {
  while (!finished() && RunIdleTask()) {
  }
}

void WakeWaits() {}

void PostIdleTask(std::function<void()> task) {
  TheState().idleTasks.push_back(std::move(task));
}

void SimulateInput(NativeWindow* window, const SimulatedInput& input) {
  const WindowDescription& description = *window->description;
  const ControlRef control{&description, input.control};
  switch (input.kind) {
    case SimulatedInput::Kind::Close:
      core::CloseRequested(description);
      return;
    case SimulatedInput::Kind::ToolbarClick:
      core::ToolbarClicked(control, input.position);
      return;
    case SimulatedInput::Kind::Pick:
      core::ItemPicked(control, input.position);
      return;
    case SimulatedInput::Kind::SelectRow:
      core::RowSelected(control, input.position);
      return;
  }
}

}  // namespace rt::backend
