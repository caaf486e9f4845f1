// What the process needs of its platform around the windows: where the program lies, how a fault
// it cannot go on from is reported, and the form in which a chosen folder is handed out. Each
// platform's services implement it once; every GUI backend shares it.
#pragma once

#include <string>
#include <string_view>

namespace rt {

// Works out the program folder from `programPath` (the running executable's own path when
// empty): the folder part, without a trailing separator, empty for a path without one. Makes
// it the working directory. False when the executable's own path cannot be read.
bool EnterProgramFolder(std::string programPath, std::string& programFolder);

// Writes the fatal error report where the platform keeps such reports (standard error on Linux).
void WriteFatalReport(std::string_view fault);

// A folder as the folder chooser hands it out: the root folder keeps its separator, any other
// folder has none at its end.
std::string ChosenFolderText(std::string folder);

}  // namespace rt
