// The fuzzing entry that the libFuzzer target and the corpus replay share. One input is a
// selector byte that picks the output format code, followed by the picture file.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace fuzz {

// The format code a selector byte picks: one of 1 to 5 for almost every value, and now and
// then a code just outside the table (0 or 6), which must convert nothing.
std::int32_t FormatCodeOf(std::uint8_t selector);

// One selector for each code FormatCodeOf can give, for replaying bare picture files.
inline constexpr std::array<std::uint8_t, 7> kEverySelector{0, 1, 2, 3, 4, 250, 251};

// Converts the picture in memory and checks what the conversion promises: nothing is kept
// alive afterwards, a failure leaves the result alone, and a picture our decoder reads converts
// into a file it reads back at the same size. A broken promise aborts the process, which the
// fuzzer reports as a crash. An empty input converts nothing.
void RunFuzzInput(std::span<const std::uint8_t> input);

}  // namespace fuzz
