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

// Makes `folder` the working directory; an empty folder stands for the root folder, the folder
// of a program that lies in "/".
bool SetWorkingFolder(const std::string& folder);

}  // namespace rt::posix
