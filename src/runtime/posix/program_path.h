// The program's own path and folder on Linux.
#pragma once

#include <string>
#include <string_view>

namespace rt::posix {

// The full path of the running executable. False when the system does not tell.
bool ReadOwnExecutablePath(std::string& path);

// The folder part of a program path: everything before its last separator, so no trailing
// separator is added or removed; empty when the path has no separator (or is "/name").
std::string FolderOfProgramPath(std::string_view programPath);

// A folder as the folder chooser hands it out: the root folder keeps its separator, any other
// folder has none at its end.
std::string ChosenFolderText(std::string folder);

// The start of the runtime initialisation that both Linux GUIs share: the program folder of
// `programPath` (the running executable's own path when empty) becomes the working directory.
// False when the executable's path cannot be read.
bool EnterProgramFolder(std::string programPath, std::string& programFolder);

// The fatal error report as one line on stderr.
void WriteFatalReport(std::string_view fault);

// Makes `folder` the working directory; an empty folder stands for the root folder, the folder
// of a program that lies in "/".
bool SetWorkingFolder(const std::string& folder);

}  // namespace rt::posix
