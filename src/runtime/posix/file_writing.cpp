#include "runtime/posix/file_writing.h"

#include <unistd.h>

#include <cerrno>

namespace rt::posix {

std::optional<FolderAndName> SplitFolderAndName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  FolderAndName parts;
  if (slash == std::string::npos) {
    parts = {".", path};
  } else {
    parts = {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
  }
  if (parts.name.empty() || parts.name == "." || parts.name == "..") {
    return std::nullopt;
  }
  return parts;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace rt::posix
