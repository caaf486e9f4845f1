// Reading a profile file whole, with limits, whatever lies at the path.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <string>

namespace rt::profile {

// A profile that the program writes holds a few short lines. The limit bounds the memory one call
// can take when the path names something else; such a file reads as unusable, so reads give the
// default and writes leave it alone.
inline constexpr std::size_t kMaxProfileFileBytes = std::size_t{64} << 20;

enum class FileState {
  kRead,
  kMissing,   // nothing at the path
  kUnusable,  // not a regular file, unreadable, or over the limit
};

enum class FinalSymlink { kFollow, kRefuse };

struct FileSnapshot {
  FileState state = FileState::kMissing;
  std::string bytes;
  struct stat info {};  // of the file read; meaningful when state is kRead
};

FileSnapshot ReadProfileFile(const std::string& path, FinalSymlink finalSymlink);

}  // namespace rt::profile
