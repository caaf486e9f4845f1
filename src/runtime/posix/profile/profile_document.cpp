#include "runtime/posix/profile/profile_document.h"

#include "runtime/posix/profile/profile_names.h"

namespace rt::profile {

ProfileDocument::ProfileDocument(std::string_view text, std::size_t linesBegin) noexcept
    : text_(text), linesBegin_(linesBegin) {}

bool ProfileDocument::EndsWithLineBreak() const noexcept {
  return !text_.empty() && (text_.back() == '\n' || text_.back() == '\r');
}

std::optional<SectionLocation> ProfileDocument::FindSection(std::string_view name) const noexcept {
  LineScanner lines(text_, linesBegin_);
  std::optional<SectionLocation> found;
  while (const std::optional<LineSpan> line = lines.Next()) {
    const LineMeaning meaning = ParseLine(ContentOf(text_, *line));
    if (meaning.kind == LineKind::kSectionHeader) {
      if (found) {
        found->end = line->begin;
        return found;
      }
      if (NamesMatch(name, meaning.name)) {
        found = SectionLocation{*line, *line, text_.size()};
      }
    } else if (found && meaning.kind == LineKind::kKey) {
      found->lastKeyLine = *line;
    }
  }
  return found;
}

std::optional<KeyLocation> ProfileDocument::FindKey(const SectionLocation& section,
                                                    std::string_view name) const noexcept {
  LineScanner lines(text_.substr(0, section.end), section.header.end);
  while (const std::optional<LineSpan> line = lines.Next()) {
    const LineMeaning meaning = ParseLine(ContentOf(text_, *line));
    if (meaning.kind == LineKind::kKey && NamesMatch(name, meaning.name)) {
      return KeyLocation{*line, meaning.name, meaning.value};
    }
  }
  return std::nullopt;
}

std::string ProfileDocument::SectionNames() const {
  return NamesOf(LineKind::kSectionHeader, linesBegin_, text_.size());
}

std::string ProfileDocument::KeyNames(const SectionLocation& section) const {
  return NamesOf(LineKind::kKey, section.header.end, section.end);
}

std::string ProfileDocument::NamesOf(LineKind kind, std::size_t begin, std::size_t end) const {
  std::string names;
  LineScanner lines(text_.substr(0, end), begin);
  while (const std::optional<LineSpan> line = lines.Next()) {
    const LineMeaning meaning = ParseLine(ContentOf(text_, *line));
    if (meaning.kind == kind) {
      names.append(meaning.name);
      names.push_back('\0');
    }
  }
  return names;
}

}  // namespace rt::profile
