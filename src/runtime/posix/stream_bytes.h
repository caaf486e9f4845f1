// How the picture library of this backend reads and fills memory streams.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "runtime/memory_stream.h"

namespace rt::posix {

// The stream's bytes from its current position to its end; empty for an unknown stream.
std::span<const std::uint8_t> UnreadBytes(Stream stream);

// Writes `bytes` at the stream's position and moves past them. An empty stream takes the
// vector over instead of copying it, so an encoded picture is held once, not twice.
bool WriteBytes(Stream stream, std::vector<std::uint8_t>&& bytes);

std::size_t LiveStreamCount();

}  // namespace rt::posix
