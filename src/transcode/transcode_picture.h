// Re-encodes a picture file held in memory into one of the output formats, wholly in memory.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/bytes.h"

// Decodes `input` and encodes it in the format of `formatCode` into `result`. True when the
// encoder produced bytes; otherwise `result` keeps what it held, also for an empty input, bytes
// that are no picture and a code outside the table.
bool TranscodePicture(const rt::Bytes& input, std::int32_t formatCode, rt::Bytes& result);

// `text` (system code page) as UTF-16LE code units followed by one zero unit; an empty text
// gives an empty buffer.
rt::Bytes ToWideBytes(const std::string& text);
