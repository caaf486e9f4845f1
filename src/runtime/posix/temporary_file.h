// A file written under a private name in its folder and given its real name only once it is
// complete; removed again unless it got that name.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "runtime/posix/unique_fd.h"

namespace rt::posix {

class TemporaryFile {
 public:
  // Creates a file with a fresh name in the folder open as `folderFd`, which must stay open for
  // the whole life of this object. `mode` is filtered by the umask, as for any new file.
  TemporaryFile(int folderFd, std::string_view replacedName, mode_t mode);
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile();

  bool IsCreated() const noexcept { return !name_.empty(); }
  int Fd() const noexcept { return fd_.Get(); }

  // Closes the file; false when its data may not have been stored.
  bool Close() noexcept { return fd_.Close(); }

  // Renames the file over `replacedName` in the same folder. Afterwards it is no longer removed.
  bool PutInPlaceOf(const std::string& replacedName) noexcept;

  enum class Naming { Named, NameTaken, Failed };
  // Gives the file the name `newName` in the same folder only if nothing has that name yet, in
  // one step, so that nothing is ever replaced, not even a file another program has just made.
  Naming NameAsNew(const std::string& newName) noexcept;

 private:
  int folderFd_;
  std::string name_;  // empty until created, and again once put in place
  UniqueFd fd_;
};

}  // namespace rt::posix
