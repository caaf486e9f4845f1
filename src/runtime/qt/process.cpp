// The process around the program on the Linux desktop.
#include "runtime/process.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
#include <new>
#include <string>

#include "runtime/posix/program_path.h"
#include "runtime/qt/person_driver.h"
#include "runtime/qt/state.h"

namespace rt {
namespace {

using qtbackend::Journal;
using qtbackend::TheState;

bool DisplayAvailable() {
  const auto set = [](const char* name) {
    const char* const value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

int RunProcess(ProgramEntry entry) {
  person::BeginRun(/*playsWithoutSetup=*/false);
  qtbackend::State& state = TheState();
  state = qtbackend::State{};
  std::set_new_handler([] { ShowFatalErrorAndExit("memory cannot be obtained"); });

  // A test names the program's path; the real program reads its own.
  if (!posix::EnterProgramFolder(
          person::Plays() ? person::CurrentSetup().executablePath : std::string(),
          state.programFolder)) {
    ShowFatalErrorAndExit("the program's own path cannot be read");
  }

  if (!DisplayAvailable()) {
    ShowFatalErrorAndExit("no display to show windows on: start picbatch in a desktop session");
  }
  // The program takes no arguments; Qt gets the program's name alone.
  static int argumentCount = 1;
  static char programName[] = "picbatch";
  static char* arguments[] = {programName, nullptr};
  QApplication application(argumentCount, arguments);
  QApplication::setQuitOnLastWindowClosed(false);
  state.application = &application;
  if (person::Plays() && !person::CurrentSetup().descriptionsReady) {
    ShowFatalErrorAndExit("the window descriptions cannot be loaded");
  }

  entry();

  Journal("exit routine");
  if (state.exitRoutine != nullptr) {
    state.exitRoutine();
  }
  // Every window is deleted while the application still exists.
  for (const auto& live : state.windows) {
    if (live->widget != nullptr) {
      live->widget->deleteLater();
    }
  }
  state.windows.clear();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  state.application = nullptr;
  return 0;
}

void RegisterExitRoutine(ExitRoutine routine) {
  TheState().exitRoutine = routine;
}

std::string ProgramFolder() {
  return TheState().programFolder;
}

void ShowFatalErrorAndExit(std::string_view fault) {
  Journal("fatal: " + std::string(fault));
  posix::WriteFatalReport(fault);
  if (TheState().application != nullptr && !person::Plays()) {
    QMessageBox::critical(nullptr, "picbatch", qtbackend::ToQString(fault));
  }
  std::_Exit(-1);
}

}  // namespace rt
