#include "runtime/person/performance.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace rt::person {
namespace {

using Kind = UserAction::Kind;

struct Performance {
  std::optional<Setup> prepared;
  Setup setup;
  std::size_t nextAction = 0;
  std::vector<Event> journal;
  std::vector<ShownMessage> messages;
  std::vector<ShellCall> shellCalls;
  std::string problem;
};

Performance& ThePerformance() {
  static Performance performance;
  return performance;
}

// Actions that wait for the program to wait: they are never taken in a message step.
bool WaitsForTheProgram(Kind kind) {
  return IsAnswer(kind) || kind == Kind::Look;
}

}  // namespace

void Prepare(Setup setup) {
  ThePerformance().prepared = std::move(setup);
}

void BeginRun() {
  Performance& performance = ThePerformance();
  std::optional<Setup> prepared = std::move(performance.prepared);
  performance = Performance{};
  if (prepared) {
    performance.setup = std::move(*prepared);
  }
}

const Setup& CurrentSetup() {
  return ThePerformance().setup;
}

void Write(const Event& step) {
  Performance& performance = ThePerformance();
  if (performance.setup.echoJournalToStderr) {
    std::fprintf(stderr, "journal: %s\n", Describe(step).c_str());
  }
  performance.journal.push_back(step);
  if (step.kind == EventKind::Message) {
    performance.messages.push_back({step.title, step.text});
  }
  if (performance.setup.observer) {
    performance.setup.observer(performance.journal.back());
  }
}

void ReportProblem(std::string problem) {
  Write(event::ScriptProblem(problem));
  Performance& performance = ThePerformance();
  if (performance.problem.empty()) {
    performance.problem = std::move(problem);
  }
}

void RecordShellCall(ShellCall call) {
  Write(event::Shell(call.operation, call.target));
  ThePerformance().shellCalls.push_back(std::move(call));
}

bool IsAnswer(Kind kind) {
  return kind == Kind::ChooseFile || kind == Kind::ChooseFolder || kind == Kind::Cancel ||
         kind == Kind::CloseMessage;
}

std::optional<UserAction> NextInMessageStep() {
  Performance& performance = ThePerformance();
  const auto& actions = performance.setup.script.Actions();
  if (performance.nextAction >= actions.size() ||
      WaitsForTheProgram(actions[performance.nextAction].kind)) {
    return std::nullopt;
  }
  return actions[performance.nextAction++];
}

std::optional<UserAction> NextWhileWaiting() {
  Performance& performance = ThePerformance();
  const auto& actions = performance.setup.script.Actions();
  while (performance.nextAction < actions.size()) {
    UserAction action = actions[performance.nextAction++];
    if (action.kind != Kind::Idle) {
      return action;
    }
  }
  return std::nullopt;
}

const std::vector<Event>& Journal() {
  return ThePerformance().journal;
}

void Note(std::string_view line) {
  Write(event::Note(line));
}

const std::vector<ShownMessage>& Messages() {
  return ThePerformance().messages;
}

const std::vector<ShellCall>& ShellCalls() {
  return ThePerformance().shellCalls;
}

const std::string& ScriptProblem() {
  return ThePerformance().problem;
}

}  // namespace rt::person
