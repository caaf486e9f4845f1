// A move-only owner for a handle of the runtime, which knows the one call that lets it go.
#pragma once

#include <utility>

#include "runtime/memory_stream.h"
#include "runtime/picture_library.h"

namespace rt {

template <typename Handle, auto Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  // Where a creating call writes the new handle; anything held before is let go first.
  Handle* Receive() {
    Reset();
    return &handle_;
  }
  void Reset() {
    if (handle_ != nullptr) {
      Release(std::exchange(handle_, nullptr));
    }
  }

 private:
  Handle handle_ = nullptr;
};

using UniqueStream = UniqueHandle<Stream, ReleaseStream>;
using UniquePicture = UniqueHandle<Picture, GdipDisposeImage>;

}  // namespace rt
