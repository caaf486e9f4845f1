// Copying a read's result into the caller's buffer, cut to fit as the Windows functions cut it.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace rt::profile {

// At most size - 1 bytes and a zero byte; returns the bytes copied before that zero.
// `buffer` must not be empty.
std::size_t CopyValue(std::string_view value, std::span<char> buffer) noexcept;

// `names` holds each name followed by a zero byte; the list is closed by one more. When it does
// not fit, the last name that fits is cut and followed by two zero bytes, and the result is
// size - 2. `buffer` must not be empty.
std::size_t CopyNameList(std::string_view names, std::span<char> buffer) noexcept;

}  // namespace rt::profile
