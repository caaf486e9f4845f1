// The scripted user's input, played on the real widgets: a click is a button's click, a pick
// the drop-down's own signal, a close the window's own close.
#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

#include "runtime/core/user_input.h"
#include "runtime/qt/state.h"
#include "runtime/qt/toolbar_widget.h"

namespace rt::backend {

void SimulateInput(NativeWindow* window, const SimulatedInput& input) {
  if (input.kind == SimulatedInput::Kind::Close) {
    window->widget->close();
    return;
  }
  QWidget* const widget = window->controls[input.control];
  switch (input.kind) {
    case SimulatedInput::Kind::ToolbarClick:
      if (auto* const toolbar = qobject_cast<qtbackend::ToolbarWidget*>(widget);
          toolbar != nullptr && toolbar->Button(input.position) != nullptr) {
        toolbar->Button(input.position)->click();
      }
      return;
    case SimulatedInput::Kind::Pick:
      // What a pick with the mouse does: the selection changes, then the item-picked signal.
      if (auto* const comboBox = qobject_cast<QComboBox*>(widget); comboBox != nullptr) {
        comboBox->setCurrentIndex(input.position);
        emit comboBox->activated(input.position);
      }
      return;
    case SimulatedInput::Kind::SelectRow:
      if (auto* const list = qobject_cast<QListWidget*>(widget); list != nullptr) {
        {
          const QSignalBlocker quiet(list);
          list->setCurrentRow(input.position);
        }
        core::RowSelected({window->description, input.control}, input.position);
      }
      return;
    case SimulatedInput::Kind::Close:
      return;
  }
}

}  // namespace rt::backend
