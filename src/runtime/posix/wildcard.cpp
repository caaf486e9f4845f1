#include "runtime/posix/wildcard.h"

#include <cstddef>

namespace rt::posix {
namespace {

// Greedy matching with one back-track point: linear in practice, never exponential.
bool Glob(std::string_view pattern, std::string_view name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starAt = std::string_view::npos;
  std::size_t resumeAt = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      n = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') {
    ++p;
  }
  return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (Glob(pattern, name)) {
    return true;
  }
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos) {
    return Glob(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

}  // namespace rt::posix
