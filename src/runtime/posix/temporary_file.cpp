#include "runtime/posix/temporary_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

namespace rt::posix {
namespace {

// Keeps the name within NAME_MAX however long the replaced name is.
constexpr std::size_t kNameStemBytes = 100;
constexpr int kNameAttempts = 100;

std::string CandidateName(std::string_view replacedName) {
  static std::atomic<unsigned> sequence{0};
  char suffix[64];
  std::snprintf(suffix, sizeof suffix, ".%ld.%u.tmp", static_cast<long>(::getpid()),
                sequence.fetch_add(1));
  std::string name = ".";
  name.append(replacedName.substr(0, kNameStemBytes)).append(suffix);
  return name;
}

}  // namespace

TemporaryFile::TemporaryFile(int folderFd, std::string_view replacedName, mode_t mode)
    : folderFd_(folderFd) {
  // The process id and a counter make the name unique among running writers; O_EXCL makes sure
  // a leftover from an earlier crash is never opened, only skipped.
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string candidate = CandidateName(replacedName);
    UniqueFd fd(::openat(folderFd_, candidate.c_str(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (fd.IsOpen()) {
      name_ = std::move(candidate);
      fd_ = std::move(fd);
      return;
    }
    if (errno != EEXIST) {
      return;
    }
  }
}

TemporaryFile::~TemporaryFile() {
  if (IsCreated()) {
    fd_.Close();
    ::unlinkat(folderFd_, name_.c_str(), 0);
  }
}

bool TemporaryFile::PutInPlaceOf(const std::string& replacedName) noexcept {
  if (!IsCreated() || ::renameat(folderFd_, name_.c_str(), folderFd_, replacedName.c_str()) != 0) {
    return false;
  }
  name_.clear();
  return true;
}

}  // namespace rt::posix

namespace rt::posix {

TemporaryFile::Naming TemporaryFile::NameAsNew(const std::string& newName) noexcept {
  if (!IsCreated()) {
    return Naming::Failed;
  }
  if (::renameat2(folderFd_, name_.c_str(), folderFd_, newName.c_str(), RENAME_NOREPLACE) == 0) {
    name_.clear();
    return Naming::Named;
  }
  if (errno == EEXIST) {
    return Naming::NameTaken;
  }
  // A file system that cannot rename without replacing may still link without replacing.
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
    return Naming::Failed;
  }
  if (::linkat(folderFd_, name_.c_str(), folderFd_, newName.c_str(), 0) != 0) {
    return errno == EEXIST ? Naming::NameTaken : Naming::Failed;
  }
  ::unlinkat(folderFd_, name_.c_str(), 0);
  name_.clear();
  return Naming::Named;
}

}  // namespace rt::posix
