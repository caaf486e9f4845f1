// Real files for the profile tests: a private folder that is removed with everything in it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/profile.h"

namespace profile_test {

class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::string& Path() const { return path_; }
  std::string PathOf(std::string_view name) const;

 private:
  std::string path_;
};

void WriteFileBytes(const std::string& path, std::string_view bytes);
// Nothing when there is no regular file at `path`.
std::optional<std::string> ReadFileBytes(const std::string& path);
// The names in a folder, sorted.
std::vector<std::string> FolderEntries(const std::string& folder);

// What a read put into a buffer of `bufferSize` bytes that was filled with 0x0C beforehand.
struct ReadResult {
  std::string buffer;
  std::size_t count = 0;
};
ReadResult ReadInto(std::size_t bufferSize, rt::ProfileName section, rt::ProfileName key,
                    std::string_view defaultValue, const std::string& path);

}  // namespace profile_test
