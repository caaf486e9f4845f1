// What a global block is on Linux; shared by the memory and stream services of this backend.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/global_memory.h"

namespace rt {

struct GlobalBlockTag {
  std::vector<std::uint8_t> bytes;
  int lockCount = 0;
};

}  // namespace rt

namespace rt::posix {

// The block behind a handle that GlobalAlloc handed out and nobody freed, else null: a stale or
// made-up handle is refused instead of being followed.
GlobalBlockTag* LiveBlock(GlobalBlock block);

std::size_t LiveBlockCount();

}  // namespace rt::posix
