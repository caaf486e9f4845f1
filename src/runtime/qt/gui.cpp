// The message loop and window loading of the Qt backend. The program's loop ends only when its
// last window is destroyed; Qt's own quit-on-last-window-closed is switched off.
#include "runtime/gui.h"

#include <QApplication>
#include <QEventLoop>
#include <string>

#include "runtime/qt/person_driver.h"
#include "runtime/qt/state.h"
#include "runtime/qt/theme.h"

namespace rt {

using qtbackend::Journal;
using qtbackend::TheState;

bool SwitchThemedLook(int scheme) {
  const bool themed = scheme >= 1 && scheme <= 3;
  Journal("theme " + std::to_string(themed ? scheme : 0));
  return qtbackend::ApplyTheme(themed ? scheme : 0);
}

bool LoadWindow(const WindowDescription& window) {
  if (!qtbackend::CreateWindow(window)) {
    return false;
  }
  qtbackend::ShowWindow(window);
  return true;
}

void LoadWindowModal(const WindowDescription& window) {
  if (!qtbackend::CreateWindow(window)) {
    return;
  }
  const qtbackend::DisabledWindows others(&window);
  qtbackend::ShowWindow(window);
  // Messages are dispatched until the window is destroyed.
  const qtbackend::PersonWait wait;
  while (qtbackend::FindWindow(window) != nullptr && !TheState().quitPosted) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

bool WindowExists(const WindowDescription& window) {
  return qtbackend::FindWindow(window) != nullptr;
}

void RunMessageLoop() {
  qtbackend::State& state = TheState();
  state.loopEntered = true;
  Journal("loop entered");
  if (!state.windows.empty() && !state.quitPosted) {
    QEventLoop loop;
    state.mainLoop = &loop;
    {
      const qtbackend::PersonWait wait;
      loop.exec();
    }
    state.mainLoop = nullptr;
  }
  Journal("loop ended");
}

void LetPendingMessagesRun() {
  qtbackend::ActInMessageStep();
  // The quit stays queued for the main loop: nothing more is dispatched once it is posted.
  if (!TheState().quitPosted) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

}  // namespace rt
