// A folder of its own for one test, removed with everything in it when the test ends.
#pragma once

#include <string>
#include <string_view>

namespace testing_support {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // The folder's path followed by "/" and `name`.
  std::string File(std::string_view name) const;

 private:
  std::string path_;
};

// Keeps the working directory of the test process as it was, whatever the test changes.
class WorkingFolderGuard {
 public:
  WorkingFolderGuard();
  ~WorkingFolderGuard();
  WorkingFolderGuard(const WorkingFolderGuard&) = delete;
  WorkingFolderGuard& operator=(const WorkingFolderGuard&) = delete;

 private:
  std::string saved_;
};

std::string WorkingFolder();
bool Exists(const std::string& path);
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace testing_support
