// The profile functions of runtime/profile.h on POSIX systems: parse in memory, edit in memory,
// and replace the whole file at once.
#include "runtime/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <exception>
#include <string>
#include <utility>

#include "runtime/posix/profile/file_replacement.h"
#include "runtime/posix/profile/profile_document.h"
#include "runtime/posix/profile/profile_editor.h"
#include "runtime/posix/profile/profile_encoding.h"
#include "runtime/posix/profile/profile_file_reader.h"
#include "runtime/posix/profile/profile_names.h"
#include "runtime/posix/profile/result_buffer.h"

namespace rt {
namespace profile {
namespace {

bool IsUsablePath(std::string_view path) noexcept {
  return !path.empty() && path.find('\0') == std::string_view::npos;
}

// A file without any write permission bit is read-only to every caller, root included, as a file
// with the read-only attribute is on Windows; otherwise the usual access rules decide.
bool AllowsWriting(const std::string& path, const struct stat& info) noexcept {
  constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
  return (info.st_mode & kAnyWriteBit) != 0 &&
         ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// What a read gives when the file, the section or the key is not there.
std::size_t CopyNothingFound(ProfileName section, ProfileName key, std::string_view defaultValue,
                             std::span<char> buffer) noexcept {
  if (!section || !key) {
    return CopyNameList({}, buffer);
  }
  return CopyValue(TrimTrailingSpaces(defaultValue), buffer);
}

std::size_t Read(ProfileName section, ProfileName key, std::string_view defaultValue,
                 std::span<char> buffer, std::string_view path) {
  if (!IsUsablePath(path)) {
    return CopyNothingFound(section, key, defaultValue, buffer);
  }
  FileSnapshot file = ReadProfileFile(std::string(path), FinalSymlink::kFollow);
  if (file.state != FileState::kRead) {
    return CopyNothingFound(section, key, defaultValue, buffer);
  }
  const DecodedProfile decoded = DecodeProfile(std::move(file.bytes));
  const ProfileDocument document(decoded.text, decoded.linesBegin);
  const auto inFile = [&](std::string_view text) { return AsCodePageText(text, decoded.form); };

  if (!section) {
    return CopyNameList(inFile(document.SectionNames()), buffer);
  }
  const std::optional<SectionLocation> located = document.FindSection(inFile(TrimSpaces(*section)));
  if (!located) {
    return CopyNothingFound(section, key, defaultValue, buffer);
  }
  if (!key) {
    return CopyNameList(inFile(document.KeyNames(*located)), buffer);
  }
  const std::optional<KeyLocation> found = document.FindKey(*located, inFile(TrimSpaces(*key)));
  if (!found) {
    return CopyNothingFound(section, key, defaultValue, buffer);
  }
  return CopyValue(inFile(found->value), buffer);
}

bool Write(ProfileName section, ProfileName key, ProfileName value, std::string_view path) {
  // Windows fails every call without a section (the one with all three null only flushes its
  // cache).
  if (!section || !IsUsablePath(path)) {
    return false;
  }
  const std::optional<std::string> target = ResolveSymlinks(std::string(path));
  if (!target) {
    return false;
  }
  FileSnapshot file = ReadProfileFile(*target, FinalSymlink::kRefuse);
  if (file.state == FileState::kUnusable) {
    return false;
  }
  const bool exists = file.state == FileState::kRead;
  if (exists && !AllowsWriting(*target, file.info)) {
    return false;
  }

  const DecodedProfile decoded = DecodeProfile(std::move(file.bytes));
  const ProfileDocument document(decoded.text, decoded.linesBegin);
  const auto inFile = [&](std::string_view text) { return AsCodePageText(text, decoded.form); };
  const std::string sectionName = inFile(TrimSpaces(*section));
  std::optional<std::string> edited;
  if (!key) {
    edited = RemoveSection(document, sectionName);
  } else if (!value) {
    edited = RemoveKey(document, sectionName, inFile(TrimSpaces(*key)));
  } else {
    edited = SetValue(document, sectionName, inFile(TrimSpaces(*key)), inFile(*value));
  }
  if (!edited) {
    if (exists) {
      return true;
    }
    // Like Windows, a delete aimed at a missing file leaves an empty file behind.
    edited.emplace();
  }
  return ReplaceFile(*target, EncodeProfile(decoded, std::move(*edited)),
                     exists ? &file.info : nullptr);
}

}  // namespace
}  // namespace profile

std::size_t ReadProfileValue(ProfileName section, ProfileName key, std::string_view defaultValue,
                             std::span<char> buffer, std::string_view path) {
  if (buffer.empty()) {
    return 0;
  }
  try {
    return profile::Read(section, key, defaultValue, buffer, path);
  } catch (const std::exception&) {
    // Out of memory: the same as a file that cannot be read. Nothing here allocates.
    return profile::CopyNothingFound(section, key, defaultValue, buffer);
  }
}

bool WriteProfileValue(ProfileName section, ProfileName key, ProfileName value,
                       std::string_view path) {
  try {
    return profile::Write(section, key, value, path);
  } catch (const std::exception&) {
    // Out of memory before the rename: the temporary file is already gone, the old one untouched.
    return false;
  }
}

}  // namespace rt
