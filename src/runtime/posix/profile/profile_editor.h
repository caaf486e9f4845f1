// The three edits a write makes to a profile text. Each returns the complete new text, or nothing
// when the text stays as it is. Lines the edit does not touch keep every byte, their own line
// breaks included; a line the edit writes always ends in CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "runtime/posix/profile/profile_document.h"

namespace rt::profile {

// Replaces the key's line, keeping the key's spelling from the file; or adds "key=value" after the
// section's last key line (comments and blank lines after it stay below); or appends the section
// at the end of the text. The value is written exactly as given.
std::optional<std::string> SetValue(const ProfileDocument& document, std::string_view section,
                                    std::string_view key, std::string_view value);

// Removes the key's line; the section header stays even when nothing is left under it.
std::optional<std::string> RemoveKey(const ProfileDocument& document, std::string_view section,
                                     std::string_view key);

// Removes the header and every line up to the next section.
std::optional<std::string> RemoveSection(const ProfileDocument& document, std::string_view section);

}  // namespace rt::profile
