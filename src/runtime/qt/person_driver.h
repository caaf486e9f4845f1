// The person at the screen in the Qt backend: in tests a script plays the user through the real
// widgets; in the real program nobody is prepared and the user plays themself.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/person/performance.h"
#include "runtime/person/person.h"

namespace rt::qtbackend {

using person::ReportProblem;
// The journal of the run the person plays; nothing is written when the user plays themself.
inline void Journal(std::string line) {
  person::Write(std::move(line));
}

// One step of "let pending messages run": the person's next action, if it is not an answer to a
// dialog or a look, which wait for the program to wait.
void ActInMessageStep();

// A wait of the program for the person (the message loop, a modal window, a dialog) while it is
// alive. While the program waits the person acts, one action whenever the event loop is idle;
// an answer goes to `takeAnswer`, which tells whether it took it.
using AnswerTaker = std::function<bool(person::UserAction& answer)>;
class PersonWait {
 public:
  explicit PersonWait(AnswerTaker takeAnswer = {});
  ~PersonWait();
  PersonWait(const PersonWait&) = delete;
  PersonWait& operator=(const PersonWait&) = delete;

 private:
  int id_ = 0;
};

}  // namespace rt::qtbackend
