// A file descriptor with exactly one owner, closed when the owner goes away.
#pragma once

#include <unistd.h>

#include <utility>

namespace rt::posix {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) noexcept : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      CloseQuietly();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { CloseQuietly(); }

  int Get() const noexcept { return fd_; }
  bool IsOpen() const noexcept { return fd_ >= 0; }

  // Closes now and tells whether that worked: after writing, a failed close can mean the data
  // never reached the disk. Linux releases the descriptor even then, so it is never retried.
  bool Close() noexcept {
    const int fd = std::exchange(fd_, -1);
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  void CloseQuietly() noexcept {
    if (fd_ >= 0) {
      ::close(fd_);
    }
    fd_ = -1;
  }

  int fd_ = -1;
};

}  // namespace rt::posix
