// How many blocks, streams, pictures and library start-ups are alive: what the program has not
// given back yet. A conversion that lets go of everything it made leaves these as it found them.
#pragma once

#include <cstddef>

namespace rt::posix {

struct HandleCounts {
  std::size_t blocks = 0;
  std::size_t streams = 0;
  std::size_t pictures = 0;
  std::size_t libraryStartups = 0;
  friend bool operator==(const HandleCounts&, const HandleCounts&) = default;
};

HandleCounts CurrentHandleCounts();

}  // namespace rt::posix
