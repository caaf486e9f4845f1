// The life of the process around the program: the runtime initialisation, the program's
// entry, the exit routine and the fatal error report.
#pragma once

#include <string>
#include <string_view>

namespace rt {

using ProgramEntry = void (*)();
using ExitRoutine = void (*)();

// Initialises the runtime (the program folder is worked out and made the working directory,
// the window descriptions are made ready), calls `entry` once, then ends in order: the exit
// routine runs once and the runtime lets go of what it holds. Returns the process exit code.
// When the initialisation fails the fatal error report ends the process before `entry` runs.
int RunProcess(ProgramEntry entry);

// Remembers `routine`, in place of any earlier one, to be run at the orderly end.
void RegisterExitRoutine(ExitRoutine routine);

// A new text holding the program folder: the folder part of the program's own path, without
// a trailing separator (empty for a path without any separator).
std::string ProgramFolder();

// Shows the fatal error report naming `fault` and ends the process with exit code -1 at once:
// the exit routine does not run.
[[noreturn]] void ShowFatalErrorAndExit(std::string_view fault);

}  // namespace rt
