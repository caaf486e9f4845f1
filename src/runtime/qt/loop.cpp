// The Qt backend's life and message loop. The program's loop ends only when its last window is
// destroyed; Qt's own quit-on-last-window-closed is switched off.
#include <QCoreApplication>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>
#include <cstdlib>

#include "runtime/qt/state.h"
#include "runtime/qt/theme.h"

namespace rt::backend {
namespace {

bool DisplayAvailable() {
  const auto set = [](const char* name) {
    const char* const value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

using qtbackend::TheState;

bool StartGui(std::string& fault) {
  if (!DisplayAvailable()) {
    fault = "no display to show windows on: start picbatch in a desktop session";
    return false;
  }
  // The program takes no arguments; Qt gets the program's name alone.
  static int argumentCount = 1;
  static char programName[] = "picbatch";
  static char* arguments[] = {programName, nullptr};
  TheState().application = std::make_unique<QApplication>(argumentCount, arguments);
  QApplication::setQuitOnLastWindowClosed(false);
  return true;
}

void StopGui() {
  // Every window is deleted while the application still exists.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  TheState() = qtbackend::State{};
}

bool ApplyThemedLook(int scheme) {
  return qtbackend::ApplyTheme(scheme);
}

Size ScreenSize() {
  const QScreen* const screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return {};
  }
  return {screen->geometry().width(), screen->geometry().height()};
}

void DispatchPending() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForEvents(const std::function<bool()>& finished) {
  QEventLoop loop;
  auto& loops = TheState().loops;
  loops.push_back(&loop);
  while (!finished()) {
    loop.exec();
  }
  std::erase(loops, &loop);
}

void WakeWaits() {
  for (QEventLoop* const loop : TheState().loops) {
    loop->exit(0);
  }
}

void PostIdleTask(std::function<void()> task) {
  // Tasks not run yet go with the application at the end of the run.
  QTimer::singleShot(0, TheState().application.get(), std::move(task));
}

}  // namespace rt::backend
