// Output files on Linux: written completely under a private name, then named without
// replacing anything.
#include <fcntl.h>
#include <unistd.h>

#include <optional>
#include <string_view>

#include "runtime/files.h"
#include "runtime/posix/file_writing.h"
#include "runtime/posix/temporary_file.h"
#include "runtime/posix/unique_fd.h"

namespace rt {

NewFileResult WriteNewFile(const std::string& path, const Bytes& bytes) {
  const std::optional<posix::FolderAndName> parts = posix::SplitFolderAndName(path);
  if (!parts) {
    return NewFileResult::Failed;
  }
  // Declared before the temporary file, which needs the folder open until it is gone.
  const posix::UniqueFd folder(::open(parts->folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder.IsOpen()) {
    return NewFileResult::Failed;
  }
  posix::TemporaryFile file(folder.Get(), parts->name, 0666);
  const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!file.IsCreated() || !posix::WriteAll(file.Fd(), content) || ::fsync(file.Fd()) != 0 ||
      !file.Close()) {
    return NewFileResult::Failed;
  }
  switch (file.NameAsNew(parts->name)) {
    case posix::TemporaryFile::Naming::Named:
      ::fsync(folder.Get());
      return NewFileResult::Written;
    case posix::TemporaryFile::Naming::NameTaken:
      return NewFileResult::NameTaken;
    case posix::TemporaryFile::Naming::Failed:
      break;
  }
  return NewFileResult::Failed;
}

}  // namespace rt
