#include "app/program_main.h"

#include "runtime/gui.h"
#include "runtime/path.h"
#include "runtime/process.h"
#include "state/app_state.h"
#include "ui/main_window.h"

namespace {

constexpr int kBlueScheme = 1;

}  // namespace

void ProgramMain() {
  rt::RegisterExitRoutine(ReleaseAppState);
  StartUp();
  rt::RunMessageLoop();
}

void StartUp() {
  // Before any window exists, so that every window of the program is drawn themed.
  rt::SwitchThemedLook(kBlueScheme);

  std::string folder = rt::ProgramFolder();
  AppState.runFolder.swap(folder);
  // Only the last byte is looked at: a folder that already ends in a separator keeps it.
  if (AppState.runFolder.empty() || AppState.runFolder.back() != rt::kPathSeparator) {
    AppState.runFolder.push_back(rt::kPathSeparator);
  }

  // The creation handler loads the configuration before the window is first shown. A window
  // that cannot be created leaves no window, and the message loop then ends at once.
  rt::LoadWindow(MainWindow);
}

void ReleaseAppState() {
  ReleaseText(AppState.runFolder);
  ReleaseText(AppState.saveFolder);
  ReleaseText(AppState.outputExtension);
}
