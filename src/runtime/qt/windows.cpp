// Windows of the Qt backend: built from their descriptions, shown, enabled, destroyed.
#include <QCloseEvent>
#include <QIcon>
#include <QShortcut>
#include <algorithm>

#include "runtime/core/user_input.h"
#include "runtime/qt/program_window.h"
#include "runtime/qt/state.h"

namespace rt::qtbackend {
namespace {

Qt::WindowFlags FlagsOf(const WindowDescription& description) {
  Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint;
  flags |= description.taskbarButton ? Qt::Window : Qt::Dialog;
  if (description.captionButtons == CaptionButtons::CloseAndMinimize) {
    flags |= Qt::WindowMinimizeButtonHint;
  }
  if (description.fixedFrame) {
    flags |= Qt::MSWindowsFixedSizeDialogHint;
  }
  return flags;
}

}  // namespace

ProgramWindow::ProgramWindow(const WindowDescription& description)
    : QWidget(nullptr, FlagsOf(description)), description_(description) {
  setWindowTitle(ToQString(description.title));
  if (!description.icon.empty()) {
    setWindowIcon(QIcon(":/pictures/" + ToQString(description.icon) + ".png"));
  }
  const Size client = ClientSizeOf(description.outerSize);
  if (description.fixedFrame) {
    setFixedSize(client.width, client.height);
  } else {
    resize(client.width, client.height);
  }
  // The system's default GUI font is the application's own font; the face is the button face.
  if (description.background != Colour::Inherited) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ColourOf(description.background));
    setPalette(colours);
  }
  if (description.escCloses) {
    auto* const esc = MakeChild<QShortcut>(this, QKeySequence(Qt::Key_Escape));
    esc->setContext(Qt::WindowShortcut);
    QObject::connect(esc, &QShortcut::activated, this, &QWidget::close);
  }
}

void ProgramWindow::closeEvent(QCloseEvent* event) {
  if (core::CloseRequested(description_)) {
    event->accept();
  } else {
    event->ignore();
  }
}

State& TheState() {
  static State state;
  return state;
}

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToLocalBytes(const QString& text) {
  return text.toLocal8Bit().toStdString();
}

}  // namespace rt::qtbackend

namespace rt::backend {

using qtbackend::TheState;

NativeWindow* MakeWindow(const WindowDescription& description, Point place) {
  auto window = std::make_unique<NativeWindow>();
  window->description = &description;
  // A top-level window has no parent to own it: DestroyNativeWindow deletes it.
  // NOLINTNEXTLINE(cppcoreguidelines-owning-memory)
  window->widget = new qtbackend::ProgramWindow(description);
  for (std::size_t index = 0; index < description.controls.size(); ++index) {
    window->controls.emplace_back(
        qtbackend::MakeControl({&description, index}, description.controls[index], window->widget));
  }
  window->widget->move(place.left, place.top);
  TheState().windows.push_back(std::move(window));
  return TheState().windows.back().get();
}

void DestroyNativeWindow(NativeWindow* window) {
  auto& windows = TheState().windows;
  const auto found = std::find_if(windows.begin(), windows.end(),
                                  [&](const auto& made) { return made.get() == window; });
  if (found == windows.end()) {
    return;
  }
  // Qt deletes the widget once control is back in its event loop: this may run inside one of
  // the window's own handlers.
  if (const QPointer<qtbackend::ProgramWindow> widget = (*found)->widget; widget != nullptr) {
    widget->hide();
    widget->deleteLater();
  }
  windows.erase(found);
}

void ShowNativeWindow(NativeWindow* window) {
  window->widget->show();
  window->widget->activateWindow();
}

void EnableNativeWindow(NativeWindow* window, bool enabled) {
  window->widget->setEnabled(enabled);
}

bool IsNativeWindowActive(const NativeWindow* window) {
  return window->widget != nullptr && QApplication::activeWindow() == window->widget;
}

}  // namespace rt::backend
