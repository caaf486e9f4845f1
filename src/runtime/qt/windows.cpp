// Windows of the Qt backend: built from their descriptions, found, destroyed.
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <algorithm>
#include <string>

#include "runtime/qt/person_driver.h"
#include "runtime/qt/program_window.h"
#include "runtime/qt/state.h"
#include "runtime/qt/toolbar_widget.h"

namespace rt::qtbackend {
namespace {

// Rows a few pixels higher than the style's own.
class TallerRows : public QStyledItemDelegate {
 public:
  TallerRows(int extra, QObject* parent) : QStyledItemDelegate(parent), extra_(extra) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(0, extra_);
  }

 private:
  int extra_;
};

QWidget* MakeListBox(const ControlDescription& description, QWidget* parent) {
  auto* const list = MakeChild<QListWidget>(parent);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list->setTextElideMode(Qt::ElideNone);  // a long path is cut off at the right edge
  list->setWordWrap(false);
  list->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  list->setItemDelegate(MakeChild<TallerRows>(list, description.extraRowHeight));
  return list;
}

QWidget* MakeDropDown(const ControlDescription& description, QWidget* parent) {
  auto* const comboBox = MakeChild<QComboBox>(parent);
  comboBox->setEditable(false);
  for (const std::string_view item : description.items) {
    comboBox->addItem(ToQString(item));
  }
  comboBox->setMaxVisibleItems(static_cast<int>(description.items.size()));
  comboBox->setItemDelegate(MakeChild<TallerRows>(comboBox, description.extraRowHeight));
  comboBox->setCurrentIndex(description.initialSelection);
  const Handler onPicked = description.onItemPicked;
  // Raised for every pick, the item already selected included, after the selection changed.
  QObject::connect(comboBox, &QComboBox::activated, comboBox, [onPicked](int position) {
    Journal("pick " + std::to_string(position));
    if (onPicked != nullptr) {
      onPicked();
    }
  });
  return comboBox;
}

QWidget* MakeLabel(const ControlDescription& description, QWidget* parent) {
  auto* const label = MakeChild<QLabel>(parent, ToQString(description.caption));
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

QColor ColourOf(Colour colour) {
  switch (colour) {
    case Colour::ButtonFace:
      return QApplication::palette().color(QPalette::Button);
    case Colour::White:
      return Qt::white;
    case Colour::Black:
      return Qt::black;
    case Colour::Inherited:
      break;
  }
  return {};
}

// A control's face and text in the colours its description gives: Base and Text for the rows of
// lists, Window and WindowText for labels.
void Paint(QWidget* widget, const ControlDescription& description) {
  QPalette colours = widget->palette();
  if (description.background != Colour::Inherited) {
    colours.setColor(QPalette::Base, ColourOf(description.background));
    colours.setColor(QPalette::Window, ColourOf(description.background));
  }
  if (description.text != Colour::Inherited) {
    colours.setColor(QPalette::Text, ColourOf(description.text));
    colours.setColor(QPalette::WindowText, ColourOf(description.text));
  }
  widget->setPalette(colours);
}

QWidget* MakeControl(const ControlDescription& description, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (description.kind) {
    case ControlKind::ListBox:
      widget = MakeListBox(description, parent);
      break;
    case ControlKind::DropDown:
      widget = MakeDropDown(description, parent);
      break;
    case ControlKind::Label:
      widget = MakeLabel(description, parent);
      break;
    case ControlKind::Toolbar: {
      // It spans the top of the client area; its height follows from its buttons.
      auto* const toolbar = MakeChild<ToolbarWidget>(parent, description);
      const int width = parent->width();
      toolbar->setGeometry(0, 0, width, toolbar->layout()->heightForWidth(width));
      toolbar->setVisible(description.visible);
      return toolbar;
    }
    case ControlKind::FileDialog:
      return nullptr;  // shown only while it is open
  }
  Paint(widget, description);
  widget->setGeometry(description.place.left, description.place.top, description.size.width,
                      description.size.height);
  widget->setVisible(description.visible);
  widget->setFocusPolicy(description.tabStop ? Qt::StrongFocus : Qt::NoFocus);
  return widget;
}

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

Size ScreenSize() {
  if (person::Plays()) {
    return person::CurrentSetup().screen;  // the person's screen, whatever the platform reports
  }
  const QScreen* const screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return {};
  }
  return {screen->geometry().width(), screen->geometry().height()};
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
  if (!isEnabled()) {
    event->ignore();
    return;
  }
  event->accept();
  DestroyWindow(description_);
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

LiveWindow* FindWindow(const WindowDescription& window) {
  for (const auto& live : TheState().windows) {
    if (live->description == &window) {
      return live.get();
    }
  }
  return nullptr;
}

LiveControl* FindControl(ControlRef control, ControlKind kind) {
  return ControlOfKind(control.window == nullptr ? nullptr : FindWindow(*control.window), control,
                       kind);
}

bool CreateWindow(const WindowDescription& window) {
  const std::string name(window.name);
  if (person::Plays() && person::CurrentSetup().windowsThatCannotBeCreated.contains(name)) {
    Journal("cannot create " + name);
    return false;
  }
  auto live = std::make_unique<LiveWindow>();
  live->description = &window;
  // A top-level window has no parent to own it: DestroyWindow deletes it.
  live->widget = new ProgramWindow(window);  // NOLINT(cppcoreguidelines-owning-memory)
  for (const ControlDescription& control : window.controls) {
    live->controls.push_back({&control, MakeControl(control, live->widget), {}});
  }
  const Point place = CentredPlace(ScreenSize(), window.outerSize);
  live->widget->move(place.left, place.top);
  TheState().windows.push_back(std::move(live));
  Journal("create " + name + " at " + std::to_string(place.left) + "," + std::to_string(place.top));
  if (window.onCreated != nullptr) {
    window.onCreated();
  }
  return FindWindow(window) != nullptr;
}

void ShowWindow(const WindowDescription& window) {
  LiveWindow* const live = FindWindow(window);
  live->widget->show();
  live->widget->activateWindow();
  Journal("show " + std::string(window.name));
}

void DestroyWindow(const WindowDescription& window) {
  State& state = TheState();
  const auto found = std::find_if(state.windows.begin(), state.windows.end(),
                                  [&](const auto& live) { return live->description == &window; });
  if (found == state.windows.end()) {
    return;
  }
  const QPointer<QWidget> widget = (*found)->widget;
  state.windows.erase(found);
  if (widget != nullptr) {
    widget->hide();
    widget->deleteLater();
  }
  Journal("destroy " + std::string(window.name));
  if (state.windows.empty() && state.loopEntered && !state.quitPosted) {
    state.quitPosted = true;
    Journal("post quit 0");
    if (state.mainLoop != nullptr) {
      state.mainLoop->exit(0);
    }
  }
}

DisabledWindows::DisabledWindows(const WindowDescription* except)
    : active_(QApplication::activeWindow()) {
  for (const auto& live : TheState().windows) {
    if (live->description != except && live->widget != nullptr) {
      saved_.push_back({live->widget.data(), live->widget->isEnabled()});
      live->widget->setEnabled(false);
    }
  }
}

DisabledWindows::~DisabledWindows() {
  for (const Saved& saved : saved_) {
    if (saved.widget != nullptr) {
      saved.widget->setEnabled(saved.enabled);
    }
  }
  if (active_ != nullptr && active_->isVisible()) {
    active_->activateWindow();
  }
}

}  // namespace rt::qtbackend
