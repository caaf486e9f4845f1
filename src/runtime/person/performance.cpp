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
  bool plays = false;
  std::size_t nextAction = 0;
  std::vector<std::string> journal;
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

void BeginRun(bool playsWithoutSetup) {
  Performance& performance = ThePerformance();
  std::optional<Setup> prepared = std::move(performance.prepared);
  performance = Performance{};
  performance.plays = prepared.has_value() || playsWithoutSetup;
  if (prepared) {
    performance.setup = std::move(*prepared);
  }
}

bool Plays() {
  return ThePerformance().plays;
}

const Setup& CurrentSetup() {
  return ThePerformance().setup;
}

void Write(std::string line) {
  Performance& performance = ThePerformance();
  if (!performance.plays) {
    return;
  }
  if (performance.setup.echoJournalToStderr) {
    std::fprintf(stderr, "journal: %s\n", line.c_str());
  }
  performance.journal.push_back(std::move(line));
  if (performance.setup.observer) {
    performance.setup.observer(performance.journal.back());
  }
}

void ReportProblem(std::string problem) {
  Write("script problem: " + problem);
  Performance& performance = ThePerformance();
  if (performance.problem.empty()) {
    performance.problem = std::move(problem);
  }
}

void RecordMessage(std::string title, std::string text) {
  Write("message " + title + ": " + text);
  if (Plays()) {
    ThePerformance().messages.push_back({std::move(title), std::move(text)});
  }
}

void RecordShellCall(ShellCall call) {
  Write("shell " + call.operation + " " + call.target);
  if (Plays()) {
    ThePerformance().shellCalls.push_back(std::move(call));
  }
}

bool IsAnswer(Kind kind) {
  return kind == Kind::ChooseFile || kind == Kind::ChooseFolder || kind == Kind::Cancel ||
         kind == Kind::CloseMessage;
}

std::optional<UserAction> NextInMessageStep() {
  Performance& performance = ThePerformance();
  const auto& actions = performance.setup.script.Actions();
  if (!performance.plays || performance.nextAction >= actions.size() ||
      WaitsForTheProgram(actions[performance.nextAction].kind)) {
    return std::nullopt;
  }
  return actions[performance.nextAction++];
}

std::optional<UserAction> NextWhileWaiting() {
  Performance& performance = ThePerformance();
  const auto& actions = performance.setup.script.Actions();
  while (performance.plays && performance.nextAction < actions.size()) {
    UserAction action = actions[performance.nextAction++];
    if (action.kind != Kind::Idle) {
      return action;
    }
  }
  return std::nullopt;
}

const std::vector<std::string>& Journal() {
  return ThePerformance().journal;
}

void Note(std::string_view line) {
  Write(std::string(line));
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
