#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/bytes.h"
#include "runtime/posix/handle_counts.h"
#include "runtime/posix/picture/picture_codec.h"
#include "transcode/transcode_picture.h"

namespace fuzz {
namespace {

// JPEG stops at 65500 pixels a side; the other writers take whatever the decoder gives.
constexpr std::uint32_t kMaxEncodableSide = 65500;

[[noreturn]] void Finding(const char* what, std::int32_t formatCode) {
  std::fprintf(stderr, "picbatch fuzz finding, format code %d: %s\n", static_cast<int>(formatCode),
               what);
  std::abort();
}

// Whether every encoder must take this bitmap and the decoder must read the result back: the
// read-back limit is checked against four bytes a pixel whatever the format comes back as.
bool RoundTripExpected(const rt::picture::Bitmap& bitmap) {
  return bitmap.width <= kMaxEncodableSide && bitmap.height <= kMaxEncodableSide &&
         std::uint64_t{bitmap.width} * bitmap.height * 4 <= rt::picture::kMaxPixelBytes;
}

}  // namespace

std::int32_t FormatCodeOf(std::uint8_t selector) {
  if (selector >= 250) {
    return selector % 2 == 0 ? 0 : 6;
  }
  return 1 + selector % 5;
}

void RunFuzzInput(std::span<const std::uint8_t> input) {
  if (input.empty()) {
    return;
  }
  const std::int32_t code = FormatCodeOf(input.front());
  const rt::Bytes picture(input.begin() + 1, input.end());
  const rt::Bytes untouched{0x55, 0xAA};

  const rt::posix::HandleCounts before = rt::posix::CurrentHandleCounts();
  rt::Bytes result = untouched;
  const bool converted = TranscodePicture(picture, code, result);
  if (rt::posix::CurrentHandleCounts() != before) {
    Finding("a block, stream, picture or library start-up was not given back", code);
  }
  const bool inTable = code >= 1 && code <= 5;
  if (!converted && result != untouched) {
    Finding("a conversion that failed changed the result", code);
  }
  if (converted && !inTable) {
    Finding("a code outside the table converted", code);
  }
  if (converted && result.empty()) {
    Finding("a conversion succeeded with no bytes", code);
  }

  rt::picture::Bitmap source;
  if (!inTable || !rt::picture::DecodePicture(picture, source) || !RoundTripExpected(source)) {
    return;
  }
  if (!converted) {
    Finding("a picture the decoder reads did not convert", code);
  }
  rt::picture::Bitmap readBack;
  if (!rt::picture::DecodePicture(result, readBack)) {
    Finding("the converted file does not decode", code);
  }
  if (readBack.width != source.width || readBack.height != source.height) {
    Finding("the converted file has other dimensions than the picture", code);
  }
}

}  // namespace fuzz
