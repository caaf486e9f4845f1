#include "runtime/posix/profile/profile_lines.h"

#include "runtime/posix/profile/profile_names.h"

namespace rt::profile {
namespace {

bool IsLineBreak(char c) noexcept {
  return c == '\r' || c == '\n';
}

// A value wrapped in one matching pair of quotes loses that pair, so a value can keep blanks at
// its ends; only the outermost pair goes, and mismatched quotes stay.
std::string_view WithoutEnclosingQuotes(std::string_view value) noexcept {
  if (value.size() >= 2 && value.front() == value.back() &&
      (value.front() == '"' || value.front() == '\'')) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

LineScanner::LineScanner(std::string_view text, std::size_t start) noexcept
    : text_(text), position_(start < text.size() ? start : text.size()) {}

std::optional<LineSpan> LineScanner::Next() noexcept {
  if (position_ >= text_.size()) {
    return std::nullopt;
  }
  LineSpan line;
  line.begin = position_;
  std::size_t cursor = position_;
  while (cursor < text_.size() && !IsLineBreak(text_[cursor])) {
    ++cursor;
  }
  line.contentEnd = cursor;
  if (cursor < text_.size()) {
    const bool crLf =
        text_[cursor] == '\r' && cursor + 1 < text_.size() && text_[cursor + 1] == '\n';
    cursor += crLf ? 2 : 1;
  }
  line.end = cursor;
  position_ = cursor;
  return line;
}

LineMeaning ParseLine(std::string_view content) noexcept {
  std::size_t first = 0;
  while (first < content.size() && IsLineBlank(content[first])) {
    ++first;
  }
  if (first == content.size()) {
    return {LineKind::kBlank, {}, {}};
  }
  const std::string_view rest = content.substr(first);
  if (rest.front() == ';') {
    return {LineKind::kComment, {}, {}};
  }
  if (rest.front() == '[') {
    // The name ends at the first ']'; whatever follows it on the line is ignored. Without a ']'
    // the name runs to the end of the line.
    const std::string_view inside = rest.substr(1);
    return {LineKind::kSectionHeader, TrimLineBlanks(inside.substr(0, inside.find(']'))), {}};
  }
  const std::size_t equals = rest.find('=');
  if (equals == std::string_view::npos) {
    return {LineKind::kOther, {}, {}};
  }
  return {LineKind::kKey, TrimLineBlanks(rest.substr(0, equals)),
          WithoutEnclosingQuotes(TrimLineBlanks(rest.substr(equals + 1)))};
}

}  // namespace rt::profile
