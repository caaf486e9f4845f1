#include "runtime/posix/profile/profile_editor.h"

#include <cstddef>

namespace rt::profile {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::string KeyLine(std::string_view key, std::string_view value) {
  std::string line;
  line.reserve(key.size() + 1 + value.size() + kLineBreak.size());
  line.append(key).append("=").append(value).append(kLineBreak);
  return line;
}

// `text` with the bytes [begin, end) replaced by `replacement`.
std::string Spliced(std::string_view text, std::size_t begin, std::size_t end,
                    std::string_view replacement) {
  std::string result;
  result.reserve(text.size() - (end - begin) + replacement.size());
  result.append(text.substr(0, begin)).append(replacement).append(text.substr(end));
  return result;
}

}  // namespace

std::optional<std::string> SetValue(const ProfileDocument& document, std::string_view section,
                                    std::string_view key, std::string_view value) {
  const std::string_view text = document.Text();
  const std::optional<SectionLocation> located = document.FindSection(section);
  if (!located) {
    std::string appended;
    if (!text.empty() && !document.EndsWithLineBreak()) {
      appended.append(kLineBreak);
    }
    appended.append("[").append(section).append("]").append(kLineBreak);
    appended.append(KeyLine(key, value));
    return Spliced(text, text.size(), text.size(), appended);
  }

  if (const std::optional<KeyLocation> existing = document.FindKey(*located, key)) {
    const std::string replacement = KeyLine(existing->name, value);
    const LineSpan& line = existing->line;
    if (text.substr(line.begin, line.end - line.begin) == replacement) {
      return std::nullopt;
    }
    return Spliced(text, line.begin, line.end, replacement);
  }

  // Only the last line of a text can lack a line break; it gets one before the new line.
  const LineSpan& anchor = located->lastKeyLine;
  std::string inserted = anchor.HasLineBreak() ? std::string() : std::string(kLineBreak);
  inserted.append(KeyLine(key, value));
  return Spliced(text, anchor.end, anchor.end, inserted);
}

std::optional<std::string> RemoveKey(const ProfileDocument& document, std::string_view section,
                                     std::string_view key) {
  const std::optional<SectionLocation> located = document.FindSection(section);
  if (!located) {
    return std::nullopt;
  }
  const std::optional<KeyLocation> existing = document.FindKey(*located, key);
  if (!existing) {
    return std::nullopt;
  }
  return Spliced(document.Text(), existing->line.begin, existing->line.end, {});
}

std::optional<std::string> RemoveSection(const ProfileDocument& document,
                                         std::string_view section) {
  const std::optional<SectionLocation> located = document.FindSection(section);
  if (!located) {
    return std::nullopt;
  }
  return Spliced(document.Text(), located->header.begin, located->end, {});
}

}  // namespace rt::profile
