#include "runtime/global_memory.h"

#include <cstring>
#include <memory>
#include <new>

#include "runtime/posix/global_block.h"
#include "runtime/posix/handle_counts.h"
#include "runtime/posix/handle_table.h"

namespace rt::posix {
namespace {

HandleTable<GlobalBlockTag>& Blocks() {
  static HandleTable<GlobalBlockTag> blocks;
  return blocks;
}

}  // namespace

std::size_t LiveBlockCount() {
  return Blocks().Count();
}

GlobalBlockTag* LiveBlock(GlobalBlock block) {
  return Blocks().Live(block);
}

}  // namespace rt::posix

namespace rt {

GlobalBlock GlobalAlloc(unsigned /*flags*/, std::size_t bytes) {
  try {
    auto block = std::make_unique<GlobalBlockTag>();
    block->bytes.resize(bytes);
    return posix::Blocks().Add(std::move(block));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

GlobalBlock GlobalFree(GlobalBlock block) {
  return posix::Blocks().Remove(block) ? nullptr : block;
}

void* GlobalLock(GlobalBlock block) {
  GlobalBlockTag* const live = posix::LiveBlock(block);
  if (live == nullptr || live->bytes.empty()) {
    return nullptr;
  }
  ++live->lockCount;
  return live->bytes.data();
}

bool GlobalUnlock(GlobalBlock block) {
  GlobalBlockTag* const live = posix::LiveBlock(block);
  if (live == nullptr || live->lockCount == 0) {
    return false;
  }
  return --live->lockCount > 0;
}

std::size_t GlobalSize(GlobalBlock block) {
  const GlobalBlockTag* const live = posix::LiveBlock(block);
  return live == nullptr ? 0 : live->bytes.size();
}

void CopyMemoryBytes(void* destination, const void* source, std::size_t length) {
  if (length > 0) {
    std::memmove(destination, source, length);
  }
}

}  // namespace rt
