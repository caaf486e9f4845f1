// The file search on Linux: the folder is read once, its files sorted by name, so that a
// folder's pictures are listed, and numbered, in a predictable order.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "runtime/files.h"
#include "runtime/posix/wildcard.h"

namespace rt {

struct FileSearchTag {
  std::vector<std::string> names;
  std::size_t next = 0;
};

namespace {

struct DirCloser {
  void operator()(DIR* folder) const { ::closedir(folder); }
};

// Skips folders (and so "." and ".."); a link counts as what it leads to.
bool IsFolder(int folderFd, const char* name) {
  struct stat info {};
  return ::fstatat(folderFd, name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> MatchingFileNames(const std::string& folder, std::string_view wildcard) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, DirCloser> listing(::opendir(folder.c_str()));
  if (!listing) {
    return names;
  }
  while (const dirent* const entry = ::readdir(listing.get())) {
    const std::string_view name = entry->d_name;
    if (entry->d_type == DT_DIR || !posix::MatchesWildcard(wildcard, name)) {
      continue;
    }
    if ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) &&
        IsFolder(::dirfd(listing.get()), entry->d_name)) {
      continue;
    }
    names.emplace_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::string FileSearchFirst(const std::string& pattern, FileSearch& search) {
  FileSearchClose(search);
  const std::size_t separator = pattern.rfind('/');
  const std::string folder =
      separator == std::string::npos ? "." : pattern.substr(0, separator + 1);
  const std::string_view wildcard =
      std::string_view(pattern).substr(separator == std::string::npos ? 0 : separator + 1);
  auto opened = std::make_unique<FileSearchTag>();
  opened->names = MatchingFileNames(folder, wildcard);
  search = opened.release();
  return FileSearchNext(search);
}

std::string FileSearchNext(FileSearch& search) {
  if (search == nullptr) {
    return {};
  }
  if (search->next >= search->names.size()) {
    FileSearchClose(search);
    return {};
  }
  return search->names[search->next++];
}

void FileSearchClose(FileSearch& search) {
  // Takes back the ownership that FileSearchFirst handed out through the handle.
  const std::unique_ptr<FileSearchTag> closed(search);
  search = nullptr;
}

}  // namespace rt
