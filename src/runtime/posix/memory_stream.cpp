#include "runtime/memory_stream.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <utility>

#include "runtime/posix/global_block.h"
#include "runtime/posix/handle_table.h"
#include "runtime/posix/stream_bytes.h"

namespace rt {

struct StreamTag {
  GlobalBlock block = nullptr;
  bool deleteOnRelease = false;
  std::size_t position = 0;
  int references = 1;
};

}  // namespace rt

namespace rt::posix {
namespace {

HandleTable<StreamTag>& Streams() {
  static HandleTable<StreamTag> streams;
  return streams;
}

StreamTag* LiveStream(Stream stream) {
  return Streams().Live(stream);
}

}  // namespace

std::size_t LiveStreamCount() {
  return Streams().Count();
}

std::span<const std::uint8_t> UnreadBytes(Stream stream) {
  const StreamTag* const live = LiveStream(stream);
  const GlobalBlockTag* const block = live == nullptr ? nullptr : LiveBlock(live->block);
  if (block == nullptr || live->position >= block->bytes.size()) {
    return {};
  }
  return std::span<const std::uint8_t>(block->bytes).subspan(live->position);
}

bool WriteBytes(Stream stream, std::vector<std::uint8_t>&& bytes) {
  StreamTag* const live = LiveStream(stream);
  GlobalBlockTag* const block = live == nullptr ? nullptr : LiveBlock(live->block);
  if (block == nullptr) {
    return false;
  }
  const std::size_t written = bytes.size();
  try {
    if (live->position == 0 && block->bytes.empty()) {
      block->bytes = std::move(bytes);
    } else {
      const std::size_t end = live->position + written;
      if (block->bytes.size() < end) {
        block->bytes.resize(end);
      }
      std::copy(bytes.begin(), bytes.end(),
                block->bytes.begin() + static_cast<std::ptrdiff_t>(live->position));
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  live->position += written;
  return true;
}

}  // namespace rt::posix

namespace rt {

HResult CreateStreamOnHGlobal(GlobalBlock block, bool deleteOnRelease, Stream* stream) {
  if (stream == nullptr) {
    return kInvalidArgument;
  }
  if (block != nullptr && posix::LiveBlock(block) == nullptr) {
    return kInvalidArgument;
  }
  GlobalBlock ownBlock = nullptr;
  if (block == nullptr) {
    ownBlock = GlobalAlloc(kGlobalFixed, 0);
    if (ownBlock == nullptr) {
      return kOutOfMemory;
    }
  }
  try {
    auto created = std::make_unique<StreamTag>();
    created->block = block != nullptr ? block : ownBlock;
    created->deleteOnRelease = deleteOnRelease;
    *stream = posix::Streams().Add(std::move(created));
    return kOk;
  } catch (const std::bad_alloc&) {
    if (ownBlock != nullptr) {
      GlobalFree(ownBlock);
    }
    return kOutOfMemory;
  }
}

HResult GetHGlobalFromStream(Stream stream, GlobalBlock* block) {
  const StreamTag* const live = posix::LiveStream(stream);
  if (live == nullptr || block == nullptr) {
    return kInvalidArgument;
  }
  *block = live->block;
  return kOk;
}

void ReleaseStream(Stream stream) {
  StreamTag* const live = posix::LiveStream(stream);
  if (live == nullptr || --live->references > 0) {
    return;
  }
  if (live->deleteOnRelease) {
    GlobalFree(live->block);
  }
  posix::Streams().Remove(live);
}

}  // namespace rt
