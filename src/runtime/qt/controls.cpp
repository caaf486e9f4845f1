// The native controls of the Qt backend: made from their descriptions, showing the state the
// core hands them, and telling the core what the user did to them.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <memory>

#include "runtime/core/user_input.h"
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

QWidget* MakeListBox(ControlRef control, const ControlDescription& description, QWidget* parent) {
  auto* const list = MakeChild<QListWidget>(parent);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list->setTextElideMode(Qt::ElideNone);  // a long path is cut off at the right edge
  list->setWordWrap(false);
  list->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  list->setItemDelegate(MakeChild<TallerRows>(list, description.extraRowHeight));
  // The user's own clicks and keys; the core's changes are shown with signals blocked.
  QObject::connect(list, &QListWidget::itemSelectionChanged, list, [control, list] {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    if (!selected.isEmpty()) {
      core::RowSelected(control, list->row(selected.front()));
    }
  });
  return list;
}

QWidget* MakeDropDown(ControlRef control, const ControlDescription& description, QWidget* parent) {
  auto* const comboBox = MakeChild<QComboBox>(parent);
  comboBox->setEditable(false);
  for (const std::string_view item : description.items) {
    comboBox->addItem(ToQString(item));
  }
  comboBox->setMaxVisibleItems(static_cast<int>(description.items.size()));
  comboBox->setItemDelegate(MakeChild<TallerRows>(comboBox, description.extraRowHeight));
  comboBox->setCurrentIndex(description.initialSelection);
  // Raised for every pick, the item already selected included, after the selection changed.
  QObject::connect(comboBox, &QComboBox::activated, comboBox,
                   [control](int item) { core::ItemPicked(control, item); });
  return comboBox;
}

QWidget* MakeLabel(const ControlDescription& description, QWidget* parent) {
  auto* const label = MakeChild<QLabel>(parent, ToQString(description.caption));
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
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

void ChangeList(QListWidget& list, const backend::ControlChange& change) {
  using Kind = backend::ControlChange::Kind;
  switch (change.kind) {
    case Kind::Append:
      list.addItem(ToQString(change.text));
      return;
    case Kind::Remove: {
      const std::unique_ptr<QListWidgetItem> removed(list.takeItem(change.position));
      return;
    }
    case Kind::RemoveAll:
      list.clear();
      return;
    case Kind::Select:
      if (change.position < 0) {
        list.clearSelection();
        list.setCurrentRow(-1);
        return;
      }
      list.setCurrentRow(change.position);
      if (change.scrollIntoView) {
        list.scrollToItem(list.item(change.position));
      }
      return;
  }
}

}  // namespace

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

QWidget* MakeControl(ControlRef control, const ControlDescription& description, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (description.kind) {
    case ControlKind::ListBox:
      widget = MakeListBox(control, description, parent);
      break;
    case ControlKind::DropDown:
      widget = MakeDropDown(control, description, parent);
      break;
    case ControlKind::Label:
      widget = MakeLabel(description, parent);
      break;
    case ControlKind::Toolbar: {
      // It spans the top of the client area; its height follows from its buttons.
      auto* const toolbar = MakeChild<ToolbarWidget>(parent, control, description);
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

}  // namespace rt::qtbackend

namespace rt::backend {

void ChangeControl(NativeWindow* window, std::size_t control, const ControlChange& change) {
  QWidget* const widget = window->controls[control];
  const QSignalBlocker quiet(widget);
  if (auto* const list = qobject_cast<QListWidget*>(widget); list != nullptr) {
    qtbackend::ChangeList(*list, change);
  } else if (auto* const comboBox = qobject_cast<QComboBox*>(widget);
             comboBox != nullptr && change.kind == ControlChange::Kind::Select) {
    comboBox->setCurrentIndex(change.position);
  }
}

}  // namespace rt::backend
