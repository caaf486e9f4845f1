#include "runtime/posix/profile/result_buffer.h"

#include <algorithm>

namespace rt::profile {

std::size_t CopyValue(std::string_view value, std::span<char> buffer) noexcept {
  const std::size_t count = std::min(value.size(), buffer.size() - 1);
  std::copy_n(value.begin(), count, buffer.begin());
  buffer[count] = '\0';
  return count;
}

std::size_t CopyNameList(std::string_view names, std::span<char> buffer) noexcept {
  if (names.size() < buffer.size()) {
    std::copy(names.begin(), names.end(), buffer.begin());
    buffer[names.size()] = '\0';
    if (names.empty() && buffer.size() >= 2) {
      buffer[1] = '\0';  // an empty list still reads as two zero bytes
    }
    return names.size();
  }
  if (buffer.size() < 2) {
    buffer[0] = '\0';
    return 0;
  }
  const std::size_t count = buffer.size() - 2;
  std::copy_n(names.begin(), count, buffer.begin());
  buffer[count] = '\0';
  buffer[count + 1] = '\0';
  return count;
}

}  // namespace rt::profile
