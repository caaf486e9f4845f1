// Whole-file reading and the file-exists test on Linux.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/files.h"
#include "runtime/posix/unique_fd.h"

namespace rt {

Bytes ReadWholeFile(const std::string& path) {
  Bytes bytes;
  if (path.empty()) {
    return bytes;
  }
  // Opened without waiting, so that a named pipe or a device cannot hold the program up; only a
  // regular file is read, and then in blocking mode again.
  const posix::UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat info {};
  if (!file.IsOpen() || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return bytes;
  }
  const int flags = ::fcntl(file.Get(), F_GETFL);
  if (flags == -1 || ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) == -1) {
    return bytes;
  }
  bytes.resize(static_cast<std::size_t>(info.st_size));
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t read = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
    if (read < 0 && errno == EINTR) {
      continue;
    }
    if (read <= 0) {
      break;  // an error or a file that shrank: keep what arrived
    }
    filled += static_cast<std::size_t>(read);
  }
  bytes.resize(filled);
  return bytes;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::lstat(path.c_str(), &info) == 0;
}

}  // namespace rt
