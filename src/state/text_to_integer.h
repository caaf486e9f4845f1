// Reads a stored number back: full-width forms of the GBK code page are folded to ASCII, then
// leading white space, one sign and the decimal digits up to the first other byte are taken.
// No digit gives 0; the value wraps around in 32 bits instead of saturating.
#pragma once

#include <cstdint>
#include <string_view>

std::int32_t TextToInteger(std::string_view text);
