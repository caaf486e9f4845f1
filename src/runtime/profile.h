// The profile (INI) file functions the configuration is read and written with.
//
// They behave as the Windows profile functions do, so that one config.ini is read and
// written the same way by every build and by hand. A name or value given as std::nullopt
// plays the part of the Windows null pointer: a null key reads the section's key names, a
// null section the file's section names (each name followed by a zero byte, the list closed
// by one more), and a write with a null value deletes the key, one with a null key the
// whole section.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace rt {

using ProfileName = std::optional<std::string_view>;

// Copies the value of `key` in `section` of the file at `path` into `buffer`, at most
// buffer.size() - 1 bytes and a zero byte, and returns the number of bytes copied before that
// zero. A missing file, section or key gives `defaultValue` (its trailing spaces dropped). An
// empty buffer is left untouched and 0 is returned.
std::size_t ReadProfileValue(ProfileName section, ProfileName key, std::string_view defaultValue,
                             std::span<char> buffer, std::string_view path);

// Writes `value` under `key` in `section` of the file at `path`, creating the file and the
// section when they are missing and keeping every other line as it was. Returns false, with
// the file as it was, when the file cannot be written.
bool WriteProfileValue(ProfileName section, ProfileName key, ProfileName value,
                       std::string_view path);

}  // namespace rt
