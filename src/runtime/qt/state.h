// The Qt backend's one state record and the pieces its files share. Only files of this backend
// include it.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/backend.h"
#include "runtime/qt/program_window.h"

class QEventLoop;

namespace rt::backend {

struct NativeWindow {
  const WindowDescription* description = nullptr;
  QPointer<qtbackend::ProgramWindow> widget;
  std::vector<QPointer<QWidget>> controls;  // by the description's index; none for the file dialog
};

}  // namespace rt::backend

namespace rt::qtbackend {

// Closes the open dialog as its OK (with the file or folder typed into it) or Cancel button.
using DialogCloser = std::function<void(bool confirm, std::string_view text)>;

struct State {
  std::unique_ptr<QApplication> application;
  std::vector<std::unique_ptr<backend::NativeWindow>> windows;
  std::vector<QEventLoop*> loops;     // the running waits, innermost last
  std::vector<DialogCloser> dialogs;  // the open dialogs, innermost last
};

State& TheState();

// Makes the native control of `description`, the control `control` of its window; null for the
// file dialog, which is shown only while it is open.
QWidget* MakeControl(ControlRef control, const ControlDescription& description, QWidget* parent);

// Qt's parent takes ownership of a child widget; this is the one place that makes them.
template <typename Widget, typename... Arguments>
Widget* MakeChild(QWidget* parent, Arguments&&... arguments) {
  // NOLINTNEXTLINE(cppcoreguidelines-owning-memory)
  return new Widget(std::forward<Arguments>(arguments)..., parent);
}

QColor ColourOf(Colour colour);
QString ToQString(std::string_view utf8);
std::string ToLocalBytes(const QString& text);  // a path in the system code page

}  // namespace rt::qtbackend
