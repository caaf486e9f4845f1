// Read-only queries on the text of a profile file. Every query is one pass over the lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/posix/profile/profile_lines.h"

namespace rt::profile {

struct SectionLocation {
  LineSpan header;
  LineSpan lastKeyLine;  // the header itself while the section holds no key line
  std::size_t end = 0;   // where the next section's header starts, or the end of the text
};

struct KeyLocation {
  LineSpan line;
  std::string_view name;  // as spelled in the file
  std::string_view value;
};

class ProfileDocument {
 public:
  // The text before `linesBegin` belongs to no line: it is how a UTF-16 file's byte order mark
  // is kept out of the first line.
  ProfileDocument(std::string_view text, std::size_t linesBegin) noexcept;

  std::string_view Text() const noexcept { return text_; }
  bool EndsWithLineBreak() const noexcept;

  // Only the first section of a name counts; a later one with the same name is never searched.
  std::optional<SectionLocation> FindSection(std::string_view name) const noexcept;
  // The first key line of that name in the section.
  std::optional<KeyLocation> FindKey(const SectionLocation& section,
                                     std::string_view name) const noexcept;

  // The names in file order, repeats included, each followed by a zero byte.
  std::string SectionNames() const;
  std::string KeyNames(const SectionLocation& section) const;

 private:
  std::string NamesOf(LineKind kind, std::size_t begin, std::size_t end) const;

  std::string_view text_;
  std::size_t linesBegin_;
};

}  // namespace rt::profile
