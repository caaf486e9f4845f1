// The person's part in a run, as a GUI backend keeps it: the script and how far it has got, and
// what the run showed. Backends use this; tests use person.h.
#pragma once

#include <optional>
#include <string>

#include "runtime/person/person.h"

namespace rt::person {

// Starts a process run: the setup prepared for it takes effect. Without one the person plays
// only when `playsWithoutSetup`, with an empty script; otherwise the user plays themself and
// nothing is written down.
void BeginRun(bool playsWithoutSetup);
bool Plays();
const Setup& CurrentSetup();

void Write(std::string line);
// Notes the first way in which the script did not fit the run.
void ReportProblem(std::string problem);
void RecordMessage(std::string title, std::string text);
void RecordShellCall(ShellCall call);

bool IsAnswer(UserAction::Kind kind);

// The action for one step of "let pending messages run": an idle action for an idle step;
// nothing when the script has ended or its next action waits for the program to wait (an
// answer to a dialog, which cannot come before the dialog, or a look).
std::optional<UserAction> NextInMessageStep();
// The action while the program waits for the person: idle steps pass unnoticed; nothing when the
// script has ended.
std::optional<UserAction> NextWhileWaiting();

}  // namespace rt::person
