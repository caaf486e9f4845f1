// The person's part in a run: the script and how far it has got, and what the run showed. The
// files of this library use it; tests use person.h.
#pragma once

#include <optional>
#include <string>

#include "runtime/person/person.h"

namespace rt::person {

// Starts a process run: the setup prepared for it takes effect, or an empty script.
void BeginRun();
const Setup& CurrentSetup();

void Write(const Event& step);
// Notes the first way in which the script did not fit the run.
void ReportProblem(std::string problem);
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
