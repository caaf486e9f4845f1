// Global memory blocks, the storage behind memory streams.
#pragma once

#include <cstddef>

namespace rt {

struct GlobalBlockTag;
using GlobalBlock = GlobalBlockTag*;  // null: no block

inline constexpr unsigned kGlobalFixed = 0;  // the block's handle is its address

// A new block of `bytes` bytes, or null when no memory is left. A block of 0 bytes is valid.
GlobalBlock GlobalAlloc(unsigned flags, std::size_t bytes);
// Frees a block that no stream owns; returns null on success, the block on failure.
GlobalBlock GlobalFree(GlobalBlock block);
// The address of the block's bytes, or null for a block that holds no bytes.
void* GlobalLock(GlobalBlock block);
bool GlobalUnlock(GlobalBlock block);
std::size_t GlobalSize(GlobalBlock block);
// Copies `length` bytes; the two places may overlap.
void CopyMemoryBytes(void* destination, const void* source, std::size_t length);

}  // namespace rt
