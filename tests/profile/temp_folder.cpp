#include "temp_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace profile_test {

TempFolder::TempFolder() {
  const char* const base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/picbatch-profile-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "cannot create a folder from " << pattern;
    return;
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  if (!path_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
}

std::string TempFolder::PathOf(std::string_view name) const {
  return path_ + "/" + std::string(name);
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    ADD_FAILURE() << "cannot write " << path;
  }
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(std::filesystem::file_size(path)), '\0');
  std::ifstream in(path, std::ios::binary);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!in) {
    ADD_FAILURE() << "cannot read " << path;
  }
  return bytes;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

ReadResult ReadInto(std::size_t bufferSize, rt::ProfileName section, rt::ProfileName key,
                    std::string_view defaultValue, const std::string& path) {
  ReadResult result;
  result.buffer.assign(bufferSize, '\x0C');
  result.count = rt::ReadProfileValue(section, key, defaultValue, result.buffer, path);
  return result;
}

}  // namespace profile_test
