// The process around the program, as the scripted backend runs it inside a test.
#include "runtime/process.h"

#include <cstdlib>
#include <new>
#include <string>
#include <utility>

#include "runtime/posix/program_path.h"
#include "runtime/scripted/state.h"

namespace rt::scripted {

State& TheState() {
  static State state;
  return state;
}

}  // namespace rt::scripted

namespace rt {

using scripted::TheState;
using scripted::Write;

int RunProcess(ProgramEntry entry) {
  // A run starts from nothing but its setup, so that runs in one test process stay apart.
  person::BeginRun(/*playsWithoutSetup=*/true);
  scripted::State& state = TheState();
  state = scripted::State{};
  // Memory that cannot be obtained is a fault the program cannot go on from.
  std::set_new_handler([] { ShowFatalErrorAndExit("memory cannot be obtained"); });

  // A test names the program's path; the real program reads its own.
  if (!posix::EnterProgramFolder(person::CurrentSetup().executablePath, state.programFolder)) {
    ShowFatalErrorAndExit("the program's own path cannot be read");
  }
  if (!person::CurrentSetup().descriptionsReady) {
    ShowFatalErrorAndExit("the window descriptions cannot be loaded");
  }

  entry();

  Write("exit routine");
  if (state.exitRoutine != nullptr) {
    state.exitRoutine();
  }
  return 0;
}

void RegisterExitRoutine(ExitRoutine routine) {
  TheState().exitRoutine = routine;
}

std::string ProgramFolder() {
  return TheState().programFolder;
}

void ShowFatalErrorAndExit(std::string_view fault) {
  Write("fatal: " + std::string(fault));
  posix::WriteFatalReport(fault);
  std::_Exit(-1);
}

}  // namespace rt
