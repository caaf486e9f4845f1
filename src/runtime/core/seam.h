// The one seam where whoever sits at the screen hooks into the core. The shipped program links
// seam_desktop.cpp, in which the user plays themself and nothing is written down; test
// executables link the scripted user of runtime/person instead, which plays from a script and
// keeps the journal. Nothing else in the product knows which of the two is linked.
#pragma once

#include <string>
#include <string_view>

#include "runtime/core/event.h"
#include "runtime/window_description.h"

namespace rt::seam {

// A process run begins, before anything else of it happens.
void RunBegins();
// One step of the run, in order.
void Record(const Event& event);
// The program's own path; empty for the running executable's.
std::string ProgramPath();
// False when the window descriptions cannot be made ready.
bool DescriptionsReady();
// The screen windows are centred on.
Size Screen();
// False when the window of this name cannot be created.
bool WindowCanBeCreated(std::string_view name);
// The program began to wait for the user (at the message loop, a modal window or a dialog);
// `wait` names that wait while it is the innermost one.
void ProgramWaits(int wait);
// A handler lets pending messages run: the user may act once before they are dispatched.
void MessageStep();
// The fatal error report, for the user to read before the process ends.
void ShowFatalReport(std::string_view fault);

}  // namespace rt::seam
