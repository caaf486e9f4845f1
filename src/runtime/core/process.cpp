// The life of the process around the program: the runtime's start, the program's entry, the
// orderly end and the fatal error report.
#include "runtime/process.h"

#include <cstdlib>
#include <new>
#include <string>

#include "runtime/core/seam.h"
#include "runtime/core/state.h"
#include "runtime/core/user_input.h"
#include "runtime/platform.h"

namespace rt {

using core::Record;
using core::TheState;

int RunProcess(ProgramEntry entry) {
  // A run starts from nothing, so that runs in one test process stay apart.
  core::State& state = TheState();
  state = core::State{};
  seam::RunBegins();
  // Memory that cannot be obtained is a fault the program cannot go on from.
  std::set_new_handler([] { ShowFatalErrorAndExit("memory cannot be obtained"); });

  if (!EnterProgramFolder(seam::ProgramPath(), state.programFolder)) {
    ShowFatalErrorAndExit("the program's own path cannot be read");
  }
  if (std::string fault; !backend::StartGui(fault)) {
    ShowFatalErrorAndExit(fault);
  }
  if (!seam::DescriptionsReady()) {
    ShowFatalErrorAndExit("the window descriptions cannot be loaded");
  }

  entry();

  Record(event::ExitRoutineRuns());
  if (state.exitRoutine != nullptr) {
    state.exitRoutine();
  }
  // Windows still open when the program returned go with the toolkit, without a quit.
  for (const auto& live : state.windows) {
    backend::DestroyNativeWindow(live->native);
  }
  state.windows.clear();
  backend::StopGui();
  return 0;
}

void RegisterExitRoutine(ExitRoutine routine) {
  TheState().exitRoutine = routine;
}

std::string ProgramFolder() {
  return TheState().programFolder;
}

void ShowFatalErrorAndExit(std::string_view fault) {
  Record(event::Fatal(fault));
  WriteFatalReport(fault);
  seam::ShowFatalReport(fault);
  std::_Exit(-1);
}

}  // namespace rt
