// Small pieces that every file write of the Linux services uses.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rt::posix {

struct FolderAndName {
  std::string folder;
  std::string name;
};

// The folder ("." when none is given, "/" for the root) and the name of a file path; nothing
// when the path does not end in a file name.
std::optional<FolderAndName> SplitFolderAndName(const std::string& path);

// Writes every byte, going on after interruptions. False on any error.
bool WriteAll(int fd, std::string_view bytes);

}  // namespace rt::posix
