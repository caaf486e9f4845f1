// The Qt backend's one state record and the pieces its files share. Only files of this backend
// include it.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "runtime/process.h"
#include "runtime/window_description.h"

class QApplication;
class QEventLoop;

namespace rt::qtbackend {

class ProgramWindow;

struct LiveControl {
  const ControlDescription* description = nullptr;
  QPointer<QWidget> widget;  // none for the file dialog, which is shown only when opened
  std::string fileName;      // file dialog: the remembered file name
};

// A window of the program. Destroying it takes it out of the state at once; Qt deletes the
// widget once control is back in the event loop.
struct LiveWindow {
  const WindowDescription* description = nullptr;
  QPointer<QWidget> widget;  // a ProgramWindow
  std::vector<LiveControl> controls;
};

struct State {
  QApplication* application = nullptr;
  bool loopEntered = false;
  QEventLoop* mainLoop = nullptr;
  bool quitPosted = false;
  ExitRoutine exitRoutine = nullptr;
  std::string programFolder;
  std::vector<std::unique_ptr<LiveWindow>> windows;
};

State& TheState();

LiveWindow* FindWindow(const WindowDescription& window);
LiveControl* FindControl(ControlRef control, ControlKind kind);
// Takes the window out of the program; posts the quit when it was the last one.
void DestroyWindow(const WindowDescription& window);
// Creates the window with its controls and runs its creation handler; false when it cannot be
// created or is gone again after the handler.
bool CreateWindow(const WindowDescription& window);
void ShowWindow(const WindowDescription& window);

// Disables every window of the program but `except`, and gives each its enabled state back when
// it goes away, as a modal window or dialog does.
class DisabledWindows {
 public:
  explicit DisabledWindows(const WindowDescription* except = nullptr);
  ~DisabledWindows();
  DisabledWindows(const DisabledWindows&) = delete;
  DisabledWindows& operator=(const DisabledWindows&) = delete;

 private:
  struct Saved {
    QPointer<QWidget> widget;
    bool enabled;
  };
  std::vector<Saved> saved_;
  QPointer<QWidget> active_;  // activated again afterwards
};

// Qt's parent takes ownership of a child widget; this is the one place that makes them.
template <typename Widget, typename... Arguments>
Widget* MakeChild(QWidget* parent, Arguments&&... arguments) {
  // NOLINTNEXTLINE(cppcoreguidelines-owning-memory)
  return new Widget(std::forward<Arguments>(arguments)..., parent);
}

QString ToQString(std::string_view utf8);
std::string ToLocalBytes(const QString& text);  // a path in the system code page

}  // namespace rt::qtbackend
