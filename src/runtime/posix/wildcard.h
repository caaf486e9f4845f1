// File-name patterns as the file search takes them.
#pragma once

#include <string_view>

namespace rt::posix {

// "*" stands for any run of characters and "?" for one; a pattern that ends in ".*" also
// matches names without any dot, so "*.*" matches every name.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace rt::posix
