// The libFuzzer target over the in-memory transcoder (preset fuzz; run it with fuzz/run).
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::RunFuzzInput({data, size});
  return 0;
}
