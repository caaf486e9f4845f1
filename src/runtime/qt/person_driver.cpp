#include "runtime/qt/person_driver.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "runtime/qt/state.h"
#include "runtime/qt/toolbar_widget.h"

namespace rt::qtbackend {
namespace {

using person::UserAction;
using Kind = UserAction::Kind;

struct ActiveWait {
  int id;
  AnswerTaker takeAnswer;
};

// The waits the program is in, innermost last.
struct Driver {
  std::vector<ActiveWait> waits;
  int lastWaitId = 0;
};

Driver& TheDriver() {
  static Driver driver;
  return driver;
}

bool WindowTakesInput(const WindowDescription* window) {
  const LiveWindow* const live = window == nullptr ? nullptr : FindWindow(*window);
  return live != nullptr && live->widget != nullptr && live->widget->isEnabled();
}

void Click(const UserAction& action) {
  LiveControl* const toolbar = FindControl(action.control, ControlKind::Toolbar);
  auto* const widget = toolbar == nullptr ? nullptr : qobject_cast<ToolbarWidget*>(toolbar->widget);
  QAbstractButton* const button = widget == nullptr ? nullptr : widget->Button(action.position);
  if (button == nullptr || !WindowTakesInput(action.control.window)) {
    Journal("ignored click " + std::to_string(action.position));
    return;
  }
  button->click();
}

void Pick(const UserAction& action) {
  LiveControl* const control = FindControl(action.control, ControlKind::DropDown);
  auto* const comboBox = control == nullptr ? nullptr : qobject_cast<QComboBox*>(control->widget);
  if (comboBox == nullptr || !WindowTakesInput(action.control.window) || action.position < 0 ||
      action.position >= comboBox->count()) {
    Journal("ignored pick " + std::to_string(action.position));
    return;
  }
  // What a pick with the mouse does: the selection changes, then the item-picked signal.
  comboBox->setCurrentIndex(action.position);
  emit comboBox->activated(action.position);
}

void SelectRow(const UserAction& action) {
  LiveControl* const control = FindControl(action.control, ControlKind::ListBox);
  auto* const list = control == nullptr ? nullptr : qobject_cast<QListWidget*>(control->widget);
  if (list == nullptr || !WindowTakesInput(action.control.window) || action.position < 0 ||
      action.position >= list->count()) {
    Journal("ignored select " + std::to_string(action.position));
    return;
  }
  Journal("select " + std::to_string(action.position));
  list->setCurrentRow(action.position);
}

void Perform(const UserAction& action) {
  switch (action.kind) {
    case Kind::Idle:
      return;
    case Kind::Close: {
      const LiveWindow* const live = FindWindow(*action.window);
      if (live == nullptr || !WindowTakesInput(action.window)) {
        Journal("ignored close " + std::string(action.window->name));
        return;
      }
      live->widget->close();
      return;
    }
    case Kind::Do:
    case Kind::Look:
      action.handler();
      return;
    case Kind::Fault:
      ShowFatalErrorAndExit(action.text);
    case Kind::Click:
      Click(action);
      return;
    case Kind::Pick:
      Pick(action);
      return;
    case Kind::SelectRow:
      SelectRow(action);
      return;
    case Kind::ChooseFile:
    case Kind::ChooseFolder:
    case Kind::Cancel:
    case Kind::CloseMessage:
      ReportProblem("an answer to a dialog came while no dialog was open");
      return;
  }
}

// A wait with nothing left to do would hang: the test learns of it, the open dialog is
// cancelled and every window destroyed, so that the run comes to its end.
void EndTheWaitWithoutScript() {
  ReportProblem("the program waits for the user, but the script has ended");
  Driver& driver = TheDriver();
  if (!driver.waits.empty() && driver.waits.back().takeAnswer) {
    UserAction cancel{.kind = Kind::Cancel};
    driver.waits.back().takeAnswer(cancel);
  }
  State& state = TheState();
  while (!state.windows.empty()) {
    DestroyWindow(*state.windows.back()->description);
  }
}

bool IsInnermostWait(int id) {
  const Driver& driver = TheDriver();
  return !driver.waits.empty() && driver.waits.back().id == id;
}

void ScheduleAction(int waitId);

// The event loop is idle while the program waits: the person does the next thing.
void ActWhileWaiting(int waitId) {
  if (!IsInnermostWait(waitId)) {
    return;  // that wait has ended, or an inner one is open and acts itself
  }
  std::optional<UserAction> action = person::NextWhileWaiting();
  if (!action) {
    EndTheWaitWithoutScript();
    return;
  }
  if (person::IsAnswer(action->kind)) {
    const AnswerTaker& takeAnswer = TheDriver().waits.back().takeAnswer;
    if (!takeAnswer || !takeAnswer(*action)) {
      ReportProblem("an answer to a dialog came while no dialog was open");
    }
  } else {
    Perform(*action);
  }
  ScheduleAction(waitId);
}

void ScheduleAction(int waitId) {
  if (IsInnermostWait(waitId)) {
    QTimer::singleShot(0, [waitId] { ActWhileWaiting(waitId); });
  }
}

}  // namespace

void ActInMessageStep() {
  std::optional<UserAction> action = person::NextInMessageStep();
  // An action behind the quit is never dispatched.
  if (action && !TheState().quitPosted) {
    Perform(*action);
  }
}

PersonWait::PersonWait(AnswerTaker takeAnswer) {
  if (!person::Plays()) {
    return;
  }
  Driver& driver = TheDriver();
  id_ = ++driver.lastWaitId;
  driver.waits.push_back({id_, std::move(takeAnswer)});
  ScheduleAction(id_);
}

PersonWait::~PersonWait() {
  if (id_ != 0) {
    std::erase_if(TheDriver().waits, [this](const ActiveWait& wait) { return wait.id == id_; });
  }
}

}  // namespace rt::qtbackend
