#include <utility>

#include "runtime/person/person.h"

namespace rt::person {

Script& Script::Add(UserAction action) {
  actions_.push_back(std::move(action));
  return *this;
}

Script& Script::Idle(int steps) {
  for (int step = 0; step < steps; ++step) {
    Add({});
  }
  return *this;
}

Script& Script::Close(const WindowDescription& window) {
  return Add({.kind = UserAction::Kind::Close, .window = &window});
}

Script& Script::Do(std::function<void()> handler) {
  return Add({.kind = UserAction::Kind::Do, .handler = std::move(handler)});
}

Script& Script::Look(std::function<void()> handler) {
  return Add({.kind = UserAction::Kind::Look, .handler = std::move(handler)});
}

Script& Script::Fault(std::string fault) {
  return Add({.kind = UserAction::Kind::Fault, .text = std::move(fault)});
}

Script& Script::Click(ControlRef toolbar, int index) {
  return Add({.kind = UserAction::Kind::Click, .control = toolbar, .position = index});
}

Script& Script::Pick(ControlRef dropDown, int position) {
  return Add({.kind = UserAction::Kind::Pick, .control = dropDown, .position = position});
}

Script& Script::SelectRow(ControlRef list, int position) {
  return Add({.kind = UserAction::Kind::SelectRow, .control = list, .position = position});
}

Script& Script::ChooseFile(std::string path) {
  return Add({.kind = UserAction::Kind::ChooseFile, .text = std::move(path)});
}

Script& Script::ChooseFolder(std::string path) {
  return Add({.kind = UserAction::Kind::ChooseFolder, .text = std::move(path)});
}

Script& Script::Cancel() {
  return Add({.kind = UserAction::Kind::Cancel});
}

Script& Script::CloseMessage() {
  return Add({.kind = UserAction::Kind::CloseMessage});
}

}  // namespace rt::person
