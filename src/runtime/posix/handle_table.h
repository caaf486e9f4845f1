// The handles this backend hands out for blocks, streams and pictures: each one is owned here
// from the call that makes it to the call that frees it, and a stale or made-up handle is
// refused instead of being followed.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>

namespace rt::posix {

template <typename Tag>
class HandleTable {
 public:
  // Takes `made` over; its address is its handle.
  Tag* Add(std::unique_ptr<Tag> made) {
    Tag* const handle = made.get();
    live_.emplace(handle, std::move(made));
    return handle;
  }
  // The record behind a handle that was handed out and not removed, else null.
  Tag* Live(const Tag* handle) const {
    const auto found = live_.find(handle);
    return found == live_.end() ? nullptr : found->second.get();
  }
  // Frees the record; false when the handle is not live.
  bool Remove(const Tag* handle) { return live_.erase(handle) == 1; }
  std::size_t Count() const { return live_.size(); }

 private:
  std::unordered_map<const Tag*, std::unique_ptr<Tag>> live_;
};

}  // namespace rt::posix
