// libtiff handles over memory: reading a file held in a span, writing into a growing vector.
// Each handle carries its own error record, so nothing is shared between threads.
#pragma once

#include <tiffio.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace rt::picture {

struct TiffCloser {
  void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

// The stream behind one handle. It must outlive the handle.
struct TiffMemoryStream {
  std::span<const std::uint8_t> input;          // when reading
  std::vector<std::uint8_t>* output = nullptr;  // when writing
  std::uint64_t position = 0;
  bool failed = false;  // set by libtiff's error handler or a failed write
};

TiffHandle OpenTiffForReading(TiffMemoryStream& stream);
TiffHandle OpenTiffForWriting(TiffMemoryStream& stream);

// Walks the chain of image directories without libtiff: true when every directory and every
// tag value stored outside its directory lies inside the file, and no directory is reached twice.
bool TiffStructureIsSound(std::span<const std::uint8_t> file);

}  // namespace rt::picture
