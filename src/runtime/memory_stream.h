// Memory streams over global blocks, the way pictures are handed to and taken from the picture
// library.
#pragma once

#include <cstdint>

#include "runtime/global_memory.h"

namespace rt {

struct StreamTag;
using Stream = StreamTag*;

using HResult = std::int32_t;
inline constexpr HResult kOk = 0;
inline constexpr HResult kOutOfMemory = static_cast<HResult>(0x8007000EU);
inline constexpr HResult kInvalidArgument = static_cast<HResult>(0x80070057U);
inline constexpr HResult kBadClassString = static_cast<HResult>(0x800401F3U);

// A stream over `block`, or over a new empty block of its own when `block` is null. With
// `deleteOnRelease` the stream owns the block and frees it when it is released.
HResult CreateStreamOnHGlobal(GlobalBlock block, bool deleteOnRelease, Stream* stream);
// The block behind the stream; the stream keeps owning it.
HResult GetHGlobalFromStream(Stream stream, GlobalBlock* block);
// Gives the caller's reference back; the last one frees the stream (and an owned block).
void ReleaseStream(Stream stream);

}  // namespace rt
