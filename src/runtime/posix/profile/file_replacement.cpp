#include "runtime/posix/profile/file_replacement.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/posix/file_writing.h"
#include "runtime/posix/temporary_file.h"
#include "runtime/posix/unique_fd.h"

namespace rt::profile {
namespace {

using posix::FolderAndName;
using posix::TemporaryFile;
using posix::UniqueFd;
using posix::WriteAll;

constexpr int kMaxSymlinkHops = 40;  // what the kernel allows before it reports ELOOP

std::optional<std::string> ReadLink(const std::string& path) {
  std::string target(PATH_MAX, '\0');
  const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
    return std::nullopt;
  }
  target.resize(static_cast<std::size_t>(length));
  return target;
}

bool TakeOverOwnerAndMode(int fd, const struct stat& replaced) {
  // Only root may give a file away; a user rewriting their own file keeps it anyway. The owner is
  // set first because a change of owner clears the set-id bits that the mode then restores.
  if (::fchown(fd, replaced.st_uid, replaced.st_gid) != 0 && errno != EPERM) {
    return false;
  }
  return ::fchmod(fd, replaced.st_mode & 07777) == 0;
}

}  // namespace

std::optional<std::string> ResolveSymlinks(std::string path) {
  for (int hop = 0; hop < kMaxSymlinkHops; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
      if (errno == ENOENT) {
        return path;  // a file still to be created, perhaps at the end of a dangling link
      }
      return std::nullopt;
    }
    if (!S_ISLNK(info.st_mode)) {
      return path;
    }
    std::optional<std::string> target = ReadLink(path);
    if (!target) {
      return std::nullopt;
    }
    if (target->front() != '/') {
      // A relative link is relative to the folder the link is in.
      const std::size_t slash = path.rfind('/');
      target->insert(0, slash == std::string::npos ? std::string() : path.substr(0, slash + 1));
    }
    path = std::move(*target);
  }
  return std::nullopt;
}

bool ReplaceFile(const std::string& path, std::string_view bytes, const struct stat* replaced) {
  const std::optional<FolderAndName> parts = posix::SplitFolderAndName(path);
  if (!parts) {
    return false;
  }
  // Declared before the temporary file, which needs the folder open until it is gone.
  const UniqueFd folder(::open(parts->folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder.IsOpen()) {
    return false;
  }
  // A replacement starts private and takes the old file's mode once written; a new file gets what
  // the umask allows, as any newly created file does.
  TemporaryFile temporary(folder.Get(), parts->name, replaced != nullptr ? 0600 : 0666);
  if (!temporary.IsCreated() || !WriteAll(temporary.Fd(), bytes) ||
      (replaced != nullptr && !TakeOverOwnerAndMode(temporary.Fd(), *replaced)) ||
      ::fsync(temporary.Fd()) != 0 || !temporary.Close() || !temporary.PutInPlaceOf(parts->name)) {
    return false;
  }
  // The rename has happened, so readers see the new content whatever follows. A failed folder
  // flush only weakens how well the rename survives a power cut; reporting failure now would
  // wrongly say the old content is still there.
  ::fsync(folder.Get());
  return true;
}

}  // namespace rt::profile
