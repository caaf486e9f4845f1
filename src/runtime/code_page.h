// Conversion of texts in the system code page to UTF-16.
#pragma once

namespace rt {

inline constexpr unsigned kCodePageAnsi = 0;  // the system's code page

// Converts `length` bytes of `text` (-1: up to and including its zero byte) to UTF-16 code
// units. With `capacity` 0 it only counts them; otherwise it writes at most `capacity` units
// into `wide`. Returns the number of units, or 0 when they do not fit or the text is empty.
int MultiByteToWideChar(unsigned codePage, unsigned flags, const char* text, int length,
                        char16_t* wide, int capacity);

}  // namespace rt
