// The program's own path and folder on Linux.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdio>

#include "runtime/path.h"
#include "runtime/platform.h"

namespace rt {
namespace {

// The full path of the running executable. False when the system does not tell.
bool ReadOwnExecutablePath(std::string& path) {
  std::array<char, 4096> buffer{};
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
    return false;
  }
  path.assign(buffer.data(), static_cast<std::size_t>(length));
  return true;
}

// Everything before the last separator, so no trailing separator is added or removed; empty
// when the path has no separator (or is "/name").
std::string FolderOfProgramPath(std::string_view programPath) {
  const std::size_t separator = programPath.rfind(kPathSeparator);
  if (separator == std::string_view::npos) {
    return {};
  }
  return std::string(programPath.substr(0, separator));
}

// An empty folder stands for the root folder, the folder of a program that lies in "/".
bool SetWorkingFolder(const std::string& folder) {
  const char* const target = folder.empty() ? "/" : folder.c_str();
  return ::chdir(target) == 0;
}

}  // namespace

bool EnterProgramFolder(std::string programPath, std::string& programFolder) {
  if (programPath.empty() && !ReadOwnExecutablePath(programPath)) {
    return false;
  }
  programFolder = FolderOfProgramPath(programPath);
  SetWorkingFolder(programFolder);
  return true;
}

void WriteFatalReport(std::string_view fault) {
  std::fprintf(stderr, "picbatch: fatal error: %.*s\n", static_cast<int>(fault.size()),
               fault.data());
  std::fflush(stderr);
}

std::string ChosenFolderText(std::string folder) {
  while (folder.size() > 1 && folder.back() == kPathSeparator) {
    folder.pop_back();
  }
  return folder;
}

}  // namespace rt
