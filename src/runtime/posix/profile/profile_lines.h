// The lines of a profile file and what each one means.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace rt::profile {

// One line as byte offsets into the text: [begin, contentEnd) is the line's text and
// [contentEnd, end) its line break, which is empty only on an unterminated last line.
struct LineSpan {
  std::size_t begin = 0;
  std::size_t contentEnd = 0;
  std::size_t end = 0;

  bool HasLineBreak() const noexcept { return end != contentEnd; }
};

inline std::string_view ContentOf(std::string_view text, const LineSpan& line) noexcept {
  return text.substr(line.begin, line.contentEnd - line.begin);
}

// Walks the lines of a text once, front to back. CR LF, LF and CR each end a line.
class LineScanner {
 public:
  LineScanner(std::string_view text, std::size_t start) noexcept;
  std::optional<LineSpan> Next() noexcept;

 private:
  std::string_view text_;
  std::size_t position_;
};

enum class LineKind {
  kBlank,          // nothing but blanks
  kComment,        // ';' is its first non-blank character
  kSectionHeader,  // '[' is its first non-blank character
  kKey,            // holds '=': the name before the first '=', the value after it
  kOther,          // anything else; not a key, and skipped like a comment
};

struct LineMeaning {
  LineKind kind = LineKind::kBlank;
  std::string_view name;   // section name for a header, key name for a key
  std::string_view value;  // key lines only: trimmed, one pair of matching quotes removed
};

LineMeaning ParseLine(std::string_view content) noexcept;

}  // namespace rt::profile
