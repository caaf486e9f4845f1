// How names and values are trimmed and how a name in the file is matched to the one asked for.
#pragma once

#include <string_view>

namespace rt::profile {

// Space, tab and vertical tab: the blanks a line of the file is trimmed of around its names and
// values.
bool IsLineBlank(char c) noexcept;
std::string_view TrimLineBlanks(std::string_view text) noexcept;

// Names passed by the caller lose only their leading and trailing spaces (0x20); a tab, CR or LF
// stays part of the name.
std::string_view TrimSpaces(std::string_view text) noexcept;
std::string_view TrimTrailingSpaces(std::string_view text) noexcept;

// Whether `inFile` names the same section or key as `asked`. ASCII letters match in either case.
// The program's names are GBK bytes, where a letter right after a byte of 0x80 or above may be the
// second half of a double-byte character (B4 41 and B4 61 are different characters), so such a
// letter is compared exactly.
bool NamesMatch(std::string_view asked, std::string_view inFile) noexcept;

}  // namespace rt::profile
