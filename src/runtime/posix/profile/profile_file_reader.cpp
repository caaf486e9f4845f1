#include "runtime/posix/profile/profile_file_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "runtime/posix/unique_fd.h"

namespace rt::profile {

using posix::UniqueFd;
namespace {

FileSnapshot Unusable() {
  return FileSnapshot{FileState::kUnusable, {}, {}};
}

}  // namespace

FileSnapshot ReadProfileFile(const std::string& path, FinalSymlink finalSymlink) {
  // O_NONBLOCK keeps a FIFO at the path from stalling the open; it is refused just below.
  const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK |
                    (finalSymlink == FinalSymlink::kRefuse ? O_NOFOLLOW : 0);
  const UniqueFd file(::open(path.c_str(), flags));
  if (!file.IsOpen()) {
    return errno == ENOENT ? FileSnapshot{FileState::kMissing, {}, {}} : Unusable();
  }
  FileSnapshot snapshot;
  if (::fstat(file.Get(), &snapshot.info) != 0 || !S_ISREG(snapshot.info.st_mode) ||
      snapshot.info.st_size < 0 ||
      static_cast<std::size_t>(snapshot.info.st_size) > kMaxProfileFileBytes) {
    return Unusable();
  }

  // The size is only a hint: the file may grow while it is read, and some report 0.
  std::string& bytes = snapshot.bytes;
  bytes.resize(std::clamp<std::size_t>(static_cast<std::size_t>(snapshot.info.st_size) + 1, 4096,
                                       kMaxProfileFileBytes + 1));
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (filled > kMaxProfileFileBytes) {
        return Unusable();
      }
      bytes.resize(std::min(bytes.size() * 2, kMaxProfileFileBytes + 1));
    }
    const ssize_t got = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return Unusable();
    }
    if (got == 0) {
      break;
    }
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  snapshot.state = FileState::kRead;
  return snapshot;
}

}  // namespace rt::profile
